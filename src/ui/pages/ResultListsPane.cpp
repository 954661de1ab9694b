#include "ui/pages/ResultListsPane.h"

#include "core/check/CheckLists.h"
#include "ui/widgets/ResultListView.h"

#include <QSplitter>
#include <QVBoxLayout>

namespace vantor::ui {

using Kind = ListIconModel::Kind;

ResultListsPane::ResultListsPane(QWidget* parent)
    : QWidget(parent)
    , m_eMailList(new ResultListView("EMailList", Kind::Messages))
    , m_eMailDList(new ResultListView("EMailDList", Kind::Messages))
    , m_accountList(new ResultListView("AccountList", Kind::Accounts))
{
    setObjectName(QStringLiteral("ResultListsPage"));
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_eMailList);
    splitter->addWidget(m_eMailDList);
    splitter->addWidget(m_accountList);
    // The message lists get the room; the account list has one row per account.
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 3);
    splitter->setStretchFactor(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(splitter);
}

void ResultListsPane::attach(core::CheckLists& lists)
{
    m_eMailList->setList(lists.kept());
    m_eMailDList->setList(lists.deleted());
    m_accountList->setList(lists.accounts());
    // Sender, account and time have short texts; the subject is the long one and takes the room left.
    const QList<int> widths{220, 0, 130, 140};
    for (ResultListView* list : {m_eMailList, m_eMailDList})
        list->setColumnLayout(widths, core::CheckLists::ResultSubject + 1);
}

} // namespace vantor::ui
