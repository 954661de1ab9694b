#pragma once

#include <string>

namespace vantor::core {

class CheckRun;
class HomeDirectory;

// What the automatic check and the preview finish do once every account is done: enable the window again,
// make sure today has its section in emails.log (each account added its own totals and deleted rows when it
// ended), show the report, start the mail client and move LastCheckTime. When the program is ending, only
// the window's state is given back.
class CheckEnding
{
public:
    // [General] Report and LOG, [EMailClient] AutoClient and Path, read when the check starts.
    struct Settings
    {
        bool showReport = false;
        bool logTotals = true;
        bool autoClient = false;
        std::string clientPath;

        static Settings read(const HomeDirectory& home);
    };

    static void run(CheckRun& run, const Settings& settings);
};

} // namespace vantor::core
