#include "ui/widgets/ChartWidget.h"

#include <QCategoryAxis>
#include <QCoreApplication>
#include <QLinearGradient>
#include <QValueAxis>

#include <algorithm>

namespace vantor::ui {

namespace {

constexpr int FlatPenWidth = 2;
constexpr int DepthPenWidth = 3;
// The ribbon of the 3D view lies this share of the value range above and a fraction of a day beside its line.
constexpr double DepthShareOfRange = 0.04;
constexpr double DepthDays = 0.12;
constexpr int MostDateLabels = 10;

int counter(const records::DayTotals& day, int which)
{
    return which == 0 ? day.emails : which == 1 ? day.filtered : day.deleted;
}

int highest(const std::vector<records::DayTotals>& days)
{
    int top = 0;
    for (const records::DayTotals& day : days)
        top = std::max({top, day.emails, day.filtered, day.deleted});
    return top;
}

} // namespace

ChartWidget::ChartWidget(QWidget* parent)
    : QChartView(parent)
{
    setObjectName(QStringLiteral("Grafico"));
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->hide();
    chart()->setBackgroundRoundness(0);
}

QColor ChartWidget::colour(std::uint32_t value)
{
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

void ChartWidget::draw(const core::ChartLook& look, const std::vector<records::DayTotals>& days, QDate first)
{
    chart()->removeAllSeries();
    m_counters.clear();
    m_depth.clear();
    applyBackground(look);

    const QColor colours[3] = {colour(look.checked), colour(look.filtered), colour(look.deleted)};
    const double depth = std::max(1, highest(days)) * DepthShareOfRange;
    QList<QPointF> points[3];
    for (std::size_t k = 0; k < days.size(); ++k) {
        for (int which = 0; which < 3; ++which)
            points[which].append(QPointF(static_cast<double>(k), counter(days[k], which)));
    }
    // Ribbons first, so that the lines are drawn over them.
    if (look.show3D) {
        for (int which = 0; which < 3; ++which) {
            QList<QPointF> shifted;
            for (const QPointF& point : points[which])
                shifted.append(point + QPointF(DepthDays, depth));
            m_depth.append(addLine(shifted, colours[which].darker(160), DepthPenWidth * 2));
        }
    }
    for (int which = 0; which < 3; ++which)
        m_counters.append(addLine(points[which], colours[which], look.show3D ? DepthPenWidth : FlatPenWidth));
    rebuildAxes(days, first, look.show3D ? depth : 0.0);
}

bool ChartWidget::saveImage(const QString& path, const char* format)
{
    // A redraw just before leaves the chart's layout pending; the picture must show the new one.
    QCoreApplication::sendPostedEvents(chart(), QEvent::LayoutRequest);
    return grab().toImage().save(path, format);
}

void ChartWidget::applyBackground(const core::ChartLook& look)
{
    switch (look.background) {
    case core::ChartLook::Background::Plain:
        chart()->setBackgroundBrush(colour(look.backgroundColor));
        break;
    case core::ChartLook::Background::Gradient: {
        QLinearGradient gradient(0, 0, 0, 1);
        gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
        gradient.setColorAt(0, colour(look.gradientStart));
        gradient.setColorAt(1, colour(look.gradientEnd));
        chart()->setBackgroundBrush(gradient);
        break;
    }
    case core::ChartLook::Background::Unchanged:
        break;
    }
}

QLineSeries* ChartWidget::addLine(const QList<QPointF>& points, const QColor& colour, int width)
{
    auto* series = new QLineSeries;
    series->append(points);
    series->setPen(QPen(colour, width));
    series->setPointLabelsVisible(false);
    chart()->addSeries(series);
    return series;
}

void ChartWidget::rebuildAxes(const std::vector<records::DayTotals>& days, QDate first, double depth)
{
    // removeAxis() hands the axis back to us.
    for (QAbstractAxis* axis : chart()->axes()) {
        chart()->removeAxis(axis);
        delete axis;
    }
    auto* dayAxis = new QCategoryAxis;
    dayAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const int count = static_cast<int>(days.size());
    const int step = std::max(1, (count + MostDateLabels - 1) / MostDateLabels);
    for (int k = 0; k < count; k += step)
        dayAxis->append(first.addDays(k).toString(QStringLiteral("dd/MM")), k);
    // Room for the ribbons of the 3D view, which lie beside and above their lines.
    const double dayShift = depth > 0 ? DepthDays : 0.0;
    dayAxis->setRange(0, std::max(1, count - 1) + dayShift);
    auto* valueAxis = new QValueAxis;
    valueAxis->setRange(0, std::max(1, highest(days)) + depth);
    valueAxis->applyNiceNumbers();
    valueAxis->setLabelFormat(QStringLiteral("%d"));
    chart()->addAxis(dayAxis, Qt::AlignBottom);
    chart()->addAxis(valueAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart()->series()) {
        series->attachAxis(dayAxis);
        series->attachAxis(valueAxis);
    }
}

} // namespace vantor::ui
