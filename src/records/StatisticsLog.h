#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace vantor::records {

// The counts of one day: messages found, kept and deleted.
struct DayTotals
{
    int emails = 0;
    int filtered = 0;
    int deleted = 0;

    bool operator==(const DayTotals&) const = default;
};

// emails.log in the home directory: one section per day ("dd/mm/yyyy") with the keys Emails, Filtered and
// Deleted, summed over all logged checks of that day.
class StatisticsLog
{
public:
    inline static constexpr const char* FileName = "emails.log";

    explicit StatisticsLog(std::string homeDir);

    // Adds the counts of a check to the section of day (the date at the end of the check) and writes the
    // file. Sums stop at the largest int instead of overflowing. Throws storage::IniError when the file
    // cannot be read or written.
    void addDayTotals(std::chrono::year_month_day day, const DayTotals& totals) const;

    // The totals of every day from the day of from to the day of from + the whole days between from and to
    // (truncated toward zero), one entry per day, missing days zero; empty when to is a whole day or more
    // before from. A missing file reads as all zeros. Throws storage::IniError when the file cannot be read.
    std::vector<DayTotals> readRange(std::chrono::local_seconds from, std::chrono::local_seconds to) const;

    // "dd/mm/yyyy".
    static std::string sectionName(std::chrono::year_month_day day);

private:
    std::string filePath() const;

    std::string m_homeDir;
};

} // namespace vantor::records
