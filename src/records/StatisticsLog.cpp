#include "records/StatisticsLog.h"

#include "storage/IniFile.h"

#include <cstdio>
#include <filesystem>
#include <limits>

namespace vantor::records {

namespace {

constexpr const char* EmailsKey = "Emails";
constexpr const char* FilteredKey = "Filtered";
constexpr const char* DeletedKey = "Deleted";

void addTo(storage::IniFile& log, const std::string& section, const char* key, int amount)
{
    const long long sum = static_cast<long long>(log.readInteger(section, key, 0)) + amount;
    const long long top = std::numeric_limits<int>::max();
    const long long bottom = std::numeric_limits<int>::min();
    log.writeInteger(section, key, static_cast<int>(sum > top ? top : sum < bottom ? bottom : sum));
}

} // namespace

StatisticsLog::StatisticsLog(std::string homeDir)
    : m_homeDir(std::move(homeDir))
{}

std::string StatisticsLog::filePath() const
{
    return (std::filesystem::path(m_homeDir) / FileName).string();
}

std::string StatisticsLog::sectionName(std::chrono::year_month_day day)
{
    char text[64];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d", static_cast<unsigned>(day.day()),
                  static_cast<unsigned>(day.month()), static_cast<int>(day.year()));
    return text;
}

void StatisticsLog::addDayTotals(std::chrono::year_month_day day, const DayTotals& totals) const
{
    storage::IniFile log(filePath());
    const std::string section = sectionName(day);
    addTo(log, section, EmailsKey, totals.emails);
    addTo(log, section, FilteredKey, totals.filtered);
    addTo(log, section, DeletedKey, totals.deleted);
    log.updateFile();
}

std::vector<DayTotals> StatisticsLog::readRange(std::chrono::local_seconds from,
                                                std::chrono::local_seconds to) const
{
    using namespace std::chrono;
    // duration_cast truncates toward zero: "to" less than a day before "from" still gives from's day.
    const long long dayCount = duration_cast<days>(to - from).count();
    std::vector<DayTotals> series;
    if (dayCount < 0)
        return series;
    const storage::IniFile log(filePath());
    const local_days first = floor<days>(from);
    series.reserve(static_cast<std::size_t>(dayCount) + 1);
    for (long long k = 0; k <= dayCount; ++k) {
        const std::string section = sectionName(year_month_day{first + days{k}});
        series.push_back(DayTotals{log.readInteger(section, EmailsKey, 0),
                                   log.readInteger(section, FilteredKey, 0),
                                   log.readInteger(section, DeletedKey, 0)});
    }
    return series;
}

} // namespace vantor::records
