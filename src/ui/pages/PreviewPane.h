#pragma once

#include "storage/TextTable.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace vantor::core {
class CheckLists;
}

namespace vantor::ui {

class ResultListView;

// Inner page 1 of the first tab: the preview list with its check boxes (PreviewList), the reason of the
// selected row (PreviewMemo), the accounts of the preview (AccountList2), the tally (Label7) and the two
// ways out of the wait, FinishBtn and AbortBtn.
class PreviewPane : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewPane(QWidget* parent = nullptr);

    void attach(core::CheckLists& lists);
    // Button captions and hints from the current texts.
    void relabel(const storage::TextTable& texts);

    ResultListView& previewList() { return *m_previewList; }
    QPlainTextEdit& previewMemo() { return *m_previewMemo; }
    ResultListView& previewAccountList() { return *m_previewAccountList; }
    QPushButton& finishBtn() { return *m_finishBtn; }
    QPushButton& abortBtn() { return *m_abortBtn; }
    QLabel& previewTally() { return *m_previewTally; }

private:
    QLayout* buildButtonRow();

    QString m_memoHint;

    ResultListView* m_previewList;
    QPlainTextEdit* m_previewMemo;
    ResultListView* m_previewAccountList;
    QLabel* m_previewTally;
    QPushButton* m_finishBtn;
    QPushButton* m_abortBtn;
};

} // namespace vantor::ui
