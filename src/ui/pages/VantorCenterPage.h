#pragma once

#include "core/program/SettingsFile.h"

#include <QStackedWidget>
#include <QWidget>

#include <vector>

namespace vantor::ui {

class PreviewPane;
class ResultListsPane;

// Page 0 of the main window. Notebook2 holds the result lists (inner page 0) and the preview (inner page 1);
// both are filled by the check cycles.
class VantorCenterPage : public QWidget
{
    Q_OBJECT

public:
    enum InnerPage
    {
        ResultLists = 0,
        Preview = 1
    };

    explicit VantorCenterPage(QWidget* parent = nullptr);

    QStackedWidget& checkPages() { return *m_checkPages; }
    ResultListsPane& resultListsPage() { return *m_resultLists; }
    PreviewPane& previewPage() { return *m_preview; }

    // The column widths of the message lists, in [Columns] of setting.ini.
    void restoreColumnWidths(const core::SettingsFile& settings);
    void saveColumnWidths(core::SettingsFile& settings) const;

private:
    struct KeptWidths;
    std::vector<KeptWidths> keptWidths() const;

    QStackedWidget* m_checkPages;
    ResultListsPane* m_resultLists;
    PreviewPane* m_preview;
};

} // namespace vantor::ui
