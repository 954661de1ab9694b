#pragma once

#include <QString>

#include <string>

namespace vantor::core {

// The source of a stored message as a person reads it: UTF-8 as it is, a message that names its charset in
// that charset, anything else as Windows-1252, the code page the mail client wrote with.
QString dbxMessageDisplayText(const std::string& bytes);

} // namespace vantor::core
