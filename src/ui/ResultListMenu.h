#pragma once

#include "core/accounts/AccountStore.h"
#include "platform/ShellOpen.h"
#include "storage/TextTable.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include <string>

namespace vantor::ui {

class ResultListView;

// What the user does with a row of the result lists: the selection state (which list, the profile of the
// row's account) that enables IEFBtn and serves the import commands, and the row menu ListPopUp that
// copies the sender or subject and writes to the sender.
class ResultListMenu : public QObject
{
    Q_OBJECT

public:
    // SelectedResultList and PopupResultList values.
    enum ListId
    {
        NoList = 0,
        EMailList = 1,
        EMailDList = 2
    };

    ResultListMenu(const core::AccountStore& accounts, platform::ShellOpen& shell, QToolButton& importButton,
                   const storage::TextTable& texts, QObject* parent = nullptr);

    // The menu's captions from the current language.
    void relabel();

    // The two result lists get the selection handling and the menu; the preview list gets the menu only.
    void attach(ResultListView& eMailList, ResultListView& eMailDList, ResultListView& previewList);

    int selectedResultList() const { return m_selectedResultList; }
    const std::string& selectedRowProfile() const { return m_selectedRowProfile; }
    int popupResultList() const { return m_popupResultList; }
    // Sender and subject (as the check stored them) of the selected row of the list named by
    // SelectedResultList; false when that list has no selected row.
    bool selectedImportRow(std::string& sender, std::string& subject) const;

    QMenu& listPopUp() { return m_listPopUp; }
    QAction& copyAddressAction() { return *m_copyAddress; }
    QAction& copySubjectAction() { return *m_copySubject; }
    QAction& sendWithVantorAction() { return *m_sendWithVantor; }
    QAction& sendWithClientAction() { return *m_sendWithClient; }

    // The selection of a result list changed to row (-1: none).
    void listChange(ListId list, int row);
    // A right-click on a result list: with a selected row it names the list for the menu and opens it.
    void listMouseDown(ListId list, const QPoint& globalPos);

signals:
    // "with EMail Vantor": the Messager should write to recipient.
    void messagerRequested(const QString& recipient);

private:
    ResultListView* view(int list) const;
    // Caption and "Subject" of the selected row of the list named by PopupResultList; false for none.
    bool popupRow(QString& address, QString& subject) const;
    void copyToClipboard(bool address) const;
    void sendWithVantor();
    void sendWithClient() const;

    const core::AccountStore& m_accounts;
    platform::ShellOpen& m_shell;
    const storage::TextTable& m_texts;
    QToolButton& m_importButton;
    ResultListView* m_eMailList = nullptr;
    ResultListView* m_eMailDList = nullptr;
    int m_selectedResultList = NoList;
    std::string m_selectedRowProfile;
    int m_popupResultList = NoList;
    QMenu m_listPopUp;
    QAction* m_copyAddress;
    QAction* m_copySubject;
    QAction* m_sendWithVantor;
    QAction* m_sendWithClient;
    QMenu* m_sendMenu;
};

} // namespace vantor::ui
