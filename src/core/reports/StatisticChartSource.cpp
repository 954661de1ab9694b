#include "core/reports/StatisticChartSource.h"

#include "core/program/SettingsFile.h"

namespace vantor::core {

namespace {

std::uint32_t readColour(const SettingsFile& settings, const storage::ColourSetting& setting)
{
    try {
        return settings.read(setting);
    } catch (const storage::IniConversionError&) {
        // A colour typed by hand as "red" would otherwise stop the whole chart from drawing.
        return setting.def;
    }
}

std::chrono::local_seconds startOf(QDate date)
{
    using namespace std::chrono;
    const year_month_day day{year{date.year()}, month{static_cast<unsigned>(date.month())},
                             std::chrono::day{static_cast<unsigned>(date.day())}};
    return local_seconds{local_days{day}.time_since_epoch()};
}

} // namespace

StatisticChartSource::StatisticChartSource(const HomeDirectory& home)
    : m_home(home)
{}

ChartLook StatisticChartSource::look() const
{
    using namespace storage;
    const SettingsFile settings(m_home);
    ChartLook look;
    look.show3D = settings.read(StatisticShow3D);
    if (settings.read(StatisticBackground1))
        look.background = ChartLook::Background::Plain;
    else if (settings.read(StatisticBackground2))
        look.background = ChartLook::Background::Gradient;
    else
        look.background = ChartLook::Background::Unchanged;
    look.backgroundColor = readColour(settings, StatisticBackgroundColor);
    look.gradientStart = readColour(settings, StatisticGradientStart);
    look.gradientEnd = readColour(settings, StatisticGradientEnd);
    look.checked = readColour(settings, StatisticSerieChecked);
    look.filtered = readColour(settings, StatisticSerieFiltered);
    look.deleted = readColour(settings, StatisticSerieDeleted);
    return look;
}

std::vector<records::DayTotals> StatisticChartSource::series(QDate from, QDate to) const
{
    if (!from.isValid() || !to.isValid())
        return {};
    try {
        return records::StatisticsLog(m_home.nativeDir()).readRange(startOf(from), startOf(to));
    } catch (const storage::IniError&) {
        return {};
    }
}

} // namespace vantor::core
