#pragma once

namespace vantor::core {

// How a check treats spam: Automatic deletes it at once, Preview lists every message and waits for the user.
enum class CheckMode
{
    Automatic,
    Preview
};

} // namespace vantor::core
