#pragma once

#include <stdexcept>

namespace vantor::storage {

// Input/output failure of an INI file: "File not found", "File access denied", "Disk full", "I/O error %d".
class IniError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A stored value that does not convert: "'%s' is not a valid integer value".
class IniConversionError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace vantor::storage
