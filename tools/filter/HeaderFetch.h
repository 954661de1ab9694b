#pragma once

#include <string>
#include <string_view>

namespace vantor::tools {

// The text a POP3 header fetch (TOP n 0) of a message file would give the message object: the lines up
// to and including the first empty one, split at CR LF, LF or CR, dot-stuffed lines kept with their
// doubled ".", each line followed by CR LF.
std::string headerFetchText(std::string_view fileBytes);

} // namespace vantor::tools
