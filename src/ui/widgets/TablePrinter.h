#pragma once

#include <QAbstractItemModel>
#include <QPagedPaintDevice>
#include <QString>

namespace vantor::ui {

// The printed deleted-mail database, on a printer, a preview or a PDF file. Every page starts with two
// empty lines, the title centred, two lines and the bold column captions; then one line per row of the
// model, in the model's order (so a sorted grid prints sorted). Margins are 10 mm left and 5 mm top of the
// device's printable area, the body Arial 10 and the title Arial 16 bold, or the nearest fonts installed.
class TablePrinter
{
public:
    static QString title() { return QStringLiteral("EMail Vantor - EMails deleted"); }

    explicit TablePrinter(const QAbstractItemModel& model)
        : m_model(model)
    {}

    // Paints every row on device, beginning a new page with the title and captions whenever the next line
    // would pass the bottom; returns the number of pages, 0 when nothing could be painted (a PDF file that
    // cannot be written, a printer that refused the job).
    int print(QPagedPaintDevice& device) const;

private:
    const QAbstractItemModel& m_model;
};

} // namespace vantor::ui
