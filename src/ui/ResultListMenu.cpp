#include "ui/ResultListMenu.h"

#include "core/check/CheckLists.h"
#include "core/program/DisplayText.h"
#include "ui/widgets/ResultListView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QUrl>

namespace vantor::ui {

namespace {

QAction* menuAction(QMenu& menu, const char* objectName)
{
    QAction* action = menu.addAction(QString());
    action->setObjectName(QString::fromLatin1(objectName));
    return action;
}

} // namespace

ResultListMenu::ResultListMenu(const core::AccountStore& accounts, platform::ShellOpen& shell,
                               QToolButton& importButton, const storage::TextTable& texts, QObject* parent)
    : QObject(parent)
    , m_accounts(accounts)
    , m_shell(shell)
    , m_texts(texts)
    , m_importButton(importButton)
{
    m_listPopUp.setObjectName(QStringLiteral("ListPopUp"));
    m_copyAddress = menuAction(m_listPopUp, "CopyEmailAddress");
    m_copySubject = menuAction(m_listPopUp, "CopyEmailSubject");
    m_sendMenu = m_listPopUp.addMenu(QString());
    m_sendMenu->setObjectName(QStringLiteral("SendMessageMenu"));
    m_sendWithVantor = menuAction(*m_sendMenu, "SendWithVantor");
    m_sendWithClient = menuAction(*m_sendMenu, "SendWithClient");
    relabel();
    connect(m_copyAddress, &QAction::triggered, this, [this] { copyToClipboard(true); });
    connect(m_copySubject, &QAction::triggered, this, [this] { copyToClipboard(false); });
    connect(m_sendWithVantor, &QAction::triggered, this, &ResultListMenu::sendWithVantor);
    connect(m_sendWithClient, &QAction::triggered, this, &ResultListMenu::sendWithClient);
}

void ResultListMenu::relabel()
{
    m_copyAddress->setText(core::uiText(m_texts, "Extra", "005"));
    m_copySubject->setText(core::uiText(m_texts, "Extra", "006"));
    m_sendMenu->setTitle(core::uiText(m_texts, "Extra", "007"));
    m_sendWithVantor->setText(core::uiText(m_texts, "Extra", "008"));
    m_sendWithClient->setText(core::uiText(m_texts, "Extra", "009"));
}

void ResultListMenu::attach(ResultListView& eMailList, ResultListView& eMailDList,
                            ResultListView& previewList)
{
    m_eMailList = &eMailList;
    m_eMailDList = &eMailDList;
    for (const ListId list : {EMailList, EMailDList}) {
        ResultListView* listView = view(list);
        connect(listView, &ResultListView::rowSelected, this,
                [this, list](int row) { listChange(list, row); });
        connect(listView, &QWidget::customContextMenuRequested, this,
                [this, list, listView](const QPoint& at) {
                    listMouseDown(list, listView->viewport()->mapToGlobal(at));
                });
    }
    // The preview list shares the menu, which still acts on the result list last right-clicked.
    connect(&previewList, &QWidget::customContextMenuRequested, this, [this, &previewList](const QPoint& at) {
        m_listPopUp.popup(previewList.viewport()->mapToGlobal(at));
    });
}

void ResultListMenu::listChange(ListId list, int row)
{
    if (row < 0) {
        m_importButton.setEnabled(false);
        return;
    }
    m_selectedResultList = list;
    m_importButton.setEnabled(true);
    const std::string& description = view(list)->list()->subItem(row, core::CheckLists::ResultAccount);
    // A row whose account was renamed or removed since the check keeps the profile chosen before.
    if (const auto account = m_accounts.findByDescription(description, core::AccountStore::Match::First))
        m_selectedRowProfile = account->profile;
}

void ResultListMenu::listMouseDown(ListId list, const QPoint& globalPos)
{
    if (view(list)->selectedRow() < 0)
        return;
    m_popupResultList = list;
    m_listPopUp.popup(globalPos);
}

ResultListView* ResultListMenu::view(int list) const
{
    return list == EMailList ? m_eMailList : list == EMailDList ? m_eMailDList : nullptr;
}

bool ResultListMenu::selectedImportRow(std::string& sender, std::string& subject) const
{
    const ResultListView* listView = view(m_selectedResultList);
    const int row = listView ? listView->selectedRow() : -1;
    if (row < 0)
        return false;
    sender = listView->list()->row(row).caption;
    subject = listView->list()->subItem(row, core::CheckLists::ResultSubject);
    return true;
}

bool ResultListMenu::popupRow(QString& address, QString& subject) const
{
    const ResultListView* listView = view(m_popupResultList);
    const int row = listView ? listView->selectedRow() : -1;
    if (row < 0)
        return false;
    const core::ResultListModel& rows = *listView->list();
    address = core::displayText(rows.row(row).caption);
    subject = core::displayText(rows.subItem(row, core::CheckLists::ResultSubject));
    return true;
}

void ResultListMenu::copyToClipboard(bool address) const
{
    QString sender;
    QString subject;
    if (popupRow(sender, subject))
        QGuiApplication::clipboard()->setText(address ? sender : subject);
}

void ResultListMenu::sendWithVantor()
{
    QString sender;
    QString subject;
    if (popupRow(sender, subject))
        emit messagerRequested(sender);
}

void ResultListMenu::sendWithClient() const
{
    QString sender;
    QString subject;
    if (!popupRow(sender, subject))
        return;
    // The sender is the spammer's text: as the path of the link, '?' and '&' stay part of the address
    // instead of adding headers, a body or attachments to the mail the client opens.
    QUrl link;
    link.setScheme(QStringLiteral("mailto"));
    link.setPath(sender, QUrl::DecodedMode);
    m_shell.openUrl(link);
}

} // namespace vantor::ui
