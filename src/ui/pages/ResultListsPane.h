#pragma once

#include <QWidget>

namespace vantor::core {
class CheckLists;
}

namespace vantor::ui {

class ResultListView;

// Inner page 0 of the first tab: the kept messages (EMailList), the deleted messages (EMailDList) and the
// accounts of the last check (AccountList).
class ResultListsPane : public QWidget
{
    Q_OBJECT

public:
    explicit ResultListsPane(QWidget* parent = nullptr);

    void attach(core::CheckLists& lists);

    ResultListView& eMailList() { return *m_eMailList; }
    ResultListView& eMailDList() { return *m_eMailDList; }
    ResultListView& accountList() { return *m_accountList; }

private:
    ResultListView* m_eMailList;
    ResultListView* m_eMailDList;
    ResultListView* m_accountList;
};

} // namespace vantor::ui
