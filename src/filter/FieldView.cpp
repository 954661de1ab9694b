#include "filter/FieldView.h"

#include "base/AsciiCase.h"
#include "filter/TextCompare.h"

namespace vantor::filter {

std::string_view FieldView::lowered(FieldKind kind) const
{
    std::optional<std::string>& lowered = m_lowered[static_cast<std::size_t>(kind)];
    if (!lowered)
        lowered = base::toLowerAscii(field(kind));
    return *lowered;
}

} // namespace vantor::filter
