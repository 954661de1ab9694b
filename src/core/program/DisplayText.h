#pragma once

#include "storage/TextTable.h"

#include <QString>

#include <string>
#include <string_view>

// The one crossing between the bytes of our files and servers and the text of the windows.
namespace vantor::core {

// Valid UTF-8 is read as UTF-8; anything else as Windows-1252, the code page most old files were written in.
QString displayText(std::string_view bytes);
// Text typed by the user as the bytes our files store (UTF-8).
std::string storedText(const QString& text);
// A caption or message of the text table, ready for a widget.
QString uiText(const storage::TextTable& table, std::string_view section, std::string_view key,
               std::size_t occurrence = 0);

} // namespace vantor::core
