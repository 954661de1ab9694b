#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace vantor::records {

// Position of the colon that ends a vCard content line's name and parameters (a colon inside a quoted
// parameter value does not count), or npos when the line has none.
[[nodiscard]] std::size_t headerEnd(std::string_view line);

// Calls line(text) for every content line of a vCard file, in order: a line that starts with a blank
// continues the one before (the blank dropped), and so does the next line after a QUOTED-PRINTABLE value
// that ends with a soft break "=" (the "=" dropped). Lines end at CR LF, a lone CR or a lone LF. Linear in
// the size of bytes, whatever they hold.
void forEachContentLine(std::string_view bytes, const std::function<void(std::string_view)>& line);

} // namespace vantor::records
