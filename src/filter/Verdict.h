#pragma once

#include <string>

namespace vantor::filter {

// The outcome of one evaluation; the number is also the icon of the message's row in the result lists.
enum class VerdictCode : int
{
    HeaderRule = 0,
    SubjectRule = 1,
    Exception = 2,
    SenderRule = 3,
    GeneralRule = 4,
    // The black list or the main-level-domain rule.
    BlackList = 5,
    Clear = 6,
};

// Codes 0, 1, 3, 4 and 5 delete the message; an exception and a clear message stay on the server.
constexpr bool isDeleting(VerdictCode code)
{
    return code != VerdictCode::Exception && code != VerdictCode::Clear;
}

// A verdict with its two texts: the report text follows "Msg <n>" in the check report line; the reason
// text is the preview list's line for the message.
struct Verdict
{
    VerdictCode code = VerdictCode::Clear;
    std::string reportText;
    std::string reasonText;

    bool operator==(const Verdict&) const = default;
};

} // namespace vantor::filter
