#pragma once

#include "base/Clock.h"
#include "core/program/HomeDirectory.h"
#include "core/program/UserPrompts.h"
#include "storage/TextTable.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace vantor::ui {

class ChartWidget;

// Page 1 of the main window: the chart of emails.log over the range From (Data1) .. To (Data2), redrawn
// when either date changes and by Repaint, and saved as a picture by Save chart. The page is built with the
// window; attach() gives it the home directory and the boxes it needs before the first refresh().
class StatisticPage : public QWidget
{
    Q_OBJECT

public:
    // Both pickers start at the clock's local date.
    explicit StatisticPage(QWidget* parent = nullptr, const base::Clock& clock = base::systemClock());

    void attach(const core::HomeDirectory& home, core::UserPrompts& prompts);
    // Captions, the legend and the save dialog's title from the text table.
    void relabel(const storage::TextTable& texts);
    // Sets both pickers (one redraw).
    void setRange(QDate from, QDate to);
    // The week before the picked "to" date, up to it: the range the window opens with.
    void showWeekUpToToDate();
    // Redraws the chart from emails.log and the [Statistic] settings; nothing before attach().
    void refresh();
    // Asks for a file name and type (PNG or BMP) and writes the chart there.
    void saveChartBtnClick();

    QDateEdit& fromDate() { return *m_fromDate; }
    QDateEdit& toDate() { return *m_toDate; }
    ChartWidget& chart() { return *m_chart; }

private:
    QLayout* buildRangeRow();
    QLayout* buildLegendRow();
    void colourLegend(QLabel& label, std::uint32_t colour);

    const core::HomeDirectory* m_home = nullptr;
    core::UserPrompts* m_prompts = nullptr;
    QString m_saveTitle;
    QString m_fileError;
    QStringList m_imageFilters;
    bool m_isSettingRange = false;

    QLabel* m_fromLabel;
    QDateEdit* m_fromDate;
    QLabel* m_toLabel;
    QDateEdit* m_toDate;
    QPushButton* m_repaintBtn;
    QPushButton* m_saveChartBtn;
    ChartWidget* m_chart;
    QLabel* m_legendLabel;
    QLabel* m_checkedLabel;
    QLabel* m_filteredLabel;
    QLabel* m_deletedLabel;
};

} // namespace vantor::ui
