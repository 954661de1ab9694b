#pragma once

#include <string>
#include <vector>

namespace vantor::bench {

// The same bytes for our codecs and the peer's: a real JPEG photo, its base64 and uuencoded forms,
// a French prose text in quoted-printable, and header values as mailers write them.
struct BenchInputs
{
    std::string photo;       // binary, about 130 KB
    std::string photoBase64; // 76-character lines, CR LF
    std::string photoUu;     // "begin" line, 61-character lines, "end" line, CR LF
    std::string prose;       // about 1 MB of UTF-8 text with CR LF line breaks
    std::string proseQuoted; // prose in quoted-printable, body mode
    // Subjects and sender names of 5 to 20 encoded words in mixed charsets, as spam writes them: runs
    // of adjacent words (unfolded) with plain words between some of them.
    std::vector<std::string> encodedWordHeaders;
    std::size_t encodedWordBytes = 0;
};

const BenchInputs& benchInputs();

inline constexpr const char* kEncodedSubject =
    "Re: =?UTF-8?B?44CQ6YeN6KaB6KiK5oGv44CR5Y+w6Zu7MTA15bm0?= =?iso-8859-1?Q?R=E9union_du_lundi?=";
inline constexpr const char* kMailDate = "Tue, 05 Feb 2002 10:20:30 +0100";

} // namespace vantor::bench
