#include "ui/widgets/TablePrinter.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <numeric>
#include <vector>

namespace vantor::ui {

namespace {

QFont arial(int pointSize, bool bold)
{
    QFont font(QStringLiteral("Arial"), pointSize, bold ? QFont::Bold : QFont::Normal);
    // Where Arial is not installed, a sans-serif of the same size rather than whatever comes first.
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// Shrinks the widest columns, evenly, until all fit in available: a single long subject must not push the
// columns after it off the paper. Columns narrower than their fair share keep their width.
std::vector<int> fitColumns(std::vector<int> widths, int available)
{
    const int total = std::accumulate(widths.begin(), widths.end(), 0);
    if (total <= available || widths.empty())
        return widths;
    std::vector<std::size_t> order(widths.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return widths[a] < widths[b]; });
    int left = available;
    for (std::size_t at = 0; at < order.size(); ++at) {
        const int share = left / static_cast<int>(order.size() - at);
        if (widths[order[at]] > share) {
            for (std::size_t rest = at; rest < order.size(); ++rest)
                widths[order[rest]] = std::max(share, 1);
            break;
        }
        left -= widths[order[at]];
    }
    return widths;
}

} // namespace

int TablePrinter::print(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    // Millimetres in whole device pixels, as the layout has always been measured.
    const int mmX = std::max(1, qRound(device.logicalDpiX() / 25.4));
    const int mmY = std::max(1, qRound(device.logicalDpiY() / 25.4));
    const int left = 10 * mmX;
    const int top = 5 * mmY;

    const QFont body = arial(10, false);
    const QFont caption = arial(10, true);
    const QFont heading = arial(16, true);
    const QFontMetrics bodyMetrics(body, &device);
    const QFontMetrics captionMetrics(caption, &device);
    const QFontMetrics headingMetrics(heading, &device);
    const int lineHeight = bodyMetrics.height() + mmY;
    const int blank = bodyMetrics.horizontalAdvance(QLatin1Char(' '));

    const int columns = m_model.columnCount();
    const int rows = m_model.rowCount();
    QStringList captions;
    std::vector<int> widths;
    for (int column = 0; column < columns; ++column) {
        captions.append(m_model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
        widths.push_back(captionMetrics.horizontalAdvance(captions.back()));
    }
    // Each column as wide as its longest value or caption, plus one blank.
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QString value = m_model.index(row, column).data(Qt::DisplayRole).toString();
            widths[static_cast<std::size_t>(column)] =
                std::max(widths[static_cast<std::size_t>(column)], bodyMetrics.horizontalAdvance(value));
        }
    }
    for (int& width : widths)
        width += blank;
    widths = fitColumns(std::move(widths), device.width() - 2 * left);

    const auto drawLine = [&](int y, const QStringList& values, const QFontMetrics& metrics) {
        int x = left;
        for (int column = 0; column < columns; ++column) {
            const int width = widths[static_cast<std::size_t>(column)];
            const QString shown = metrics.elidedText(values.value(column), Qt::ElideRight, width - blank);
            painter.drawText(QRect(x, y, width, lineHeight),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
            x += width;
        }
    };
    int y = 0;
    const auto startPage = [&] {
        y = top + 2 * lineHeight;
        painter.setFont(heading);
        painter.drawText(QRect(0, y, device.width(), headingMetrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, title());
        y += 2 * lineHeight;
        painter.setFont(caption);
        drawLine(y, captions, captionMetrics);
        y += lineHeight;
        painter.setFont(body);
    };

    int pages = 1;
    startPage();
    // A page too small for even one row still takes one, rather than starting pages for ever.
    int pageTop = y;
    QStringList values;
    for (int row = 0; row < rows; ++row) {
        if (y + lineHeight > device.height() && y > pageTop) {
            if (!device.newPage())
                return 0;
            ++pages;
            startPage();
            pageTop = y;
        }
        values.clear();
        for (int column = 0; column < columns; ++column)
            values.append(m_model.index(row, column).data(Qt::DisplayRole).toString());
        drawLine(y, values, bodyMetrics);
        y += lineHeight;
    }
    return painter.end() ? pages : 0;
}

} // namespace vantor::ui
