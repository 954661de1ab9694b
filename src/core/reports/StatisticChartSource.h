#pragma once

#include "core/reports/ChartLook.h"
#include "core/program/HomeDirectory.h"
#include "records/StatisticsLog.h"

#include <QDate>

#include <vector>

namespace vantor::core {

// What the statistics chart shows, read afresh at every redraw: its look from setting.ini and the day
// totals of a date range from emails.log.
class StatisticChartSource
{
public:
    explicit StatisticChartSource(const HomeDirectory& home);

    // [Statistic]; a colour key that is not hexadecimal text reads as that colour's default.
    ChartLook look() const;
    // One entry per day from from to to (both included, missing days zero); empty when to is before from or
    // emails.log cannot be read. A missing log reads as zeros.
    std::vector<records::DayTotals> series(QDate from, QDate to) const;

private:
    const HomeDirectory& m_home;
};

} // namespace vantor::core
