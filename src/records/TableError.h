#pragma once

#include <stdexcept>

namespace vantor::records {

// A failure of the deleted-mail database or of its exports: "Cannot open file %s", "Cannot create file %s",
// "Dataset is not active", "Dataset is not specified".
class TableError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace vantor::records
