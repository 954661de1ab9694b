#pragma once

#include "records/StatisticsLog.h"

#include <string>

namespace vantor::core {

class CheckContext;
class HomeDirectory;

// What the automatic check and the preview finish do once every account is done: enable the window again,
// add the day's totals to emails.log, append the deleted rows to backup.bak, show the report, start the
// mail client, move LastCheckTime and clear CheckRunning.
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

    explicit CheckEnding(const CheckContext& context);

    void run(const Settings& settings);
    // The sums of "EMails", "Filtered" and "Deleted" over the account rows that ended "OK".
    records::DayTotals runTotals() const;

private:
    void addDayTotals();

    const CheckContext& m_context;
};

} // namespace vantor::core
