#pragma once

#include <QDateTime>

#include <chrono>
#include <functional>

namespace vantor::platform {
class ConnectionDetector;
}
namespace vantor::storage {
class ErrorLog;
class TextTable;
} // namespace vantor::storage

namespace vantor::core {

class CheckHost;
class HomeDirectory;
class StatusSink;
class UserPrompts;
struct ProcessState;

// The collaborators of the check cycles, passed down by whoever hosts them (the main window, the
// command-line check, a test). All are owned by the host and outlive the cycles.
struct CheckEnvironment
{
    // The local time now; tests may set it.
    using Clock = std::function<QDateTime()>;

    const HomeDirectory& home;
    const storage::TextTable& texts;
    storage::ErrorLog& errorLog;
    UserPrompts& prompts;
    const platform::ConnectionDetector& detector;
    StatusSink& status;
    CheckHost& host;
    ProcessState& state;
    Clock now = &QDateTime::currentDateTime;
    // Seconds a POP3 reply may keep a check waiting.
    int timeOut = 60;
    // How long a check waits for another check on the same home directory to end.
    std::chrono::milliseconds lockPatience = std::chrono::seconds(30);
};

} // namespace vantor::core
