#include "filter/FieldView.h"

#include "filter/TextCompare.h"

namespace vantor::filter {

std::string_view FieldView::lowered(FieldKind kind) const
{
    std::optional<std::string>& lowered = m_lowered[static_cast<std::size_t>(kind)];
    if (!lowered)
        lowered = lowerAscii(field(kind));
    return *lowered;
}

} // namespace vantor::filter
