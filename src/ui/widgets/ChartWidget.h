#pragma once

#include "core/reports/ChartLook.h"
#include "records/StatisticsLog.h"

#include <QChartView>
#include <QColor>
#include <QDate>
#include <QLineSeries>
#include <QList>

#include <cstdint>
#include <vector>

namespace vantor::ui {

// The statistics chart: one line per counter (checked, filtered, deleted) over the days of a range, x the
// day index from 0. Without a title or built-in legend; the page around it carries the legend.
class ChartWidget : public QChartView
{
    Q_OBJECT

public:
    explicit ChartWidget(QWidget* parent = nullptr);

    // Replaces every point. days[k] is the day first + k. In 3D each line gets a darker ribbon behind it.
    void draw(const core::ChartLook& look, const std::vector<records::DayTotals>& days, QDate first);
    // The three counter lines in order: checked, filtered, deleted.
    QList<QLineSeries*> counterSeries() const { return m_counters; }
    // The ribbons of the 3D view; empty when it is off.
    QList<QLineSeries*> depthSeries() const { return m_depth; }
    // The chart as it is on screen, written as format ("PNG", "BMP"); false when the file cannot be written.
    bool saveImage(const QString& path, const char* format);

    // Colour value (red in the lowest byte, then green and blue) as a colour.
    static QColor colour(std::uint32_t value);

private:
    void applyBackground(const core::ChartLook& look);
    void rebuildAxes(const std::vector<records::DayTotals>& days, QDate first, double depth);
    QLineSeries* addLine(const QList<QPointF>& points, const QColor& colour, int width);

    QList<QLineSeries*> m_counters;
    QList<QLineSeries*> m_depth;
};

} // namespace vantor::ui
