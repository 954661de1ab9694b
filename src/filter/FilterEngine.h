#pragma once

#include "filter/FilterSources.h"
#include "filter/Judgement.h"
#include "filter/MessageFields.h"
#include "filter/Verdict.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantor::mail::mime {
class MailMessage;
}

namespace vantor::filter {

// Decides for each message waiting on a POP3 server whether it is spam, by the account's filter profile
// and black list. It only judges: what the check does with a judgement is the check's own business.
//
// Profiles and black lists are looked at afresh for every message, so a change on disk applies from the
// very next message; with the cache on, unchanged files are not parsed again. One engine serves one thread
// (the check runs on the user-interface thread).
class FilterEngine
{
public:
    // Which check runs the engine: it decides the error code and the notices of a profile fallback.
    enum class Mode
    {
        Automatic,
        Preview
    };

    // The outcome of one evaluation with the fallbacks it needed.
    struct Evaluation
    {
        Verdict verdict;
        // Profile/<name>.vtf was missing: Profile/Default.vtf (or an empty profile) was used.
        bool usedDefaultProfile = false;
        // The black list named by the profile when its file was missing and BList/Default.vtl was used.
        std::optional<std::string> defaultedBlackList;
    };

    // homeDir: the program's home directory. cached: keep parsed files between messages (see class).
    // clock: the time the cache looks at a file (see FileCache); it must outlive the engine.
    explicit FilterEngine(std::string homeDir, bool cached = true,
                          const base::Clock& clock = base::systemClock());

    // The decision for one message of size bytes (as the server listed it) by the named profile.
    // Writes nothing. Throws storage::IniError when a profile or black list file exists but cannot be read.
    Evaluation evaluate(const mail::mime::MailMessage& message, std::int64_t size,
                        std::string_view profileName);
    Evaluation evaluate(const MessageFields& fields, std::int64_t size, std::string_view profileName);

    // The judgement of message number n for the check running in mode: the verdict, the report line and
    // the notices of any fallback. Automatic reports a missing profile and logs it with code 00004;
    // Preview only logs it, with code 00010. Throws storage::IniError as evaluate() does.
    Judgement judge(int messageNumber, const mail::mime::MailMessage& message, std::int64_t size,
                    std::string_view profileName, Mode mode);
    // The exceptions test of a message kept on the server: Exception when an exception rule matches
    // (whatever the exceptions switch says), else Clear; a missing profile is reported and logged with code
    // 00003. The judgement has no report line.
    Judgement judgeKept(std::string_view subject, std::string_view fromAddress, std::string_view profileName);

private:
    static std::string profileColumn(bool usedDefault, std::string_view profileName);

    FilterSources m_sources;
};

} // namespace vantor::filter
