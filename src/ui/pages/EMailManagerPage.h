#pragma once

#include "core/manager/EMailManager.h"
#include "core/manager/ManagerView.h"
#include "storage/TextTable.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>

#include <memory>

namespace vantor::core {
class Mailbox;
}

namespace vantor::ui {

// Page 2: the viewer of the messages waiting on one server. The user picks an account, connects, sees one
// row per message, loads one to read it and deletes the ticked ones on the server.
class EMailManagerPage : public QWidget, public core::ManagerView
{
    Q_OBJECT

public:
    explicit EMailManagerPage(QWidget* parent = nullptr);
    ~EMailManagerPage() override;

    // The session this page drives, over a mailbox of its own; until then the buttons do nothing.
    void attach(const core::EMailManager::Services& services, core::Mailbox& mailbox);
    core::EMailManager* manager() { return m_manager.get(); }

    // AccountBox gets these descriptions in order; the first is selected.
    void setAccounts(const QStringList& descriptions);
    QComboBox& accountBox() { return *m_accountBox; }
    // EMailInfoBtn: a check switches it off while it runs.
    QPushButton& connectButton() { return *m_connectBtn; }
    void relabel(const storage::TextTable& texts);

    void connectClick();
    void disconnectClick();
    void retrieveClick();
    void deleteClick();

    void setBusy(bool busy) override;
    void setStatus(const QString& text) override;
    void setConnected(bool connected) override;
    void clearView() override;
    void addRow(const core::ManagerRow& row) override;
    void setProgress(int current, int total) override;

private:
    void updateButtons();
    void showPriority(const QString& word);
    QString priorityNone() const;

    const storage::TextTable* m_texts = nullptr;
    std::unique_ptr<core::EMailManager> m_manager;
    QLabel* m_accountLabel;
    QComboBox* m_accountBox;
    QPushButton* m_connectBtn;
    QPushButton* m_disconnectBtn;
    QPushButton* m_retrieveBtn;
    QPushButton* m_deleteBtn;
    QLabel* m_status;
    QProgressBar* m_progress;
    QTreeWidget* m_list;
    QLabel* m_fromCaption;
    QLabel* m_toCaption;
    QLabel* m_subjectCaption;
    QLabel* m_from;
    QLabel* m_recipients;
    QLabel* m_subject;
    QLabel* m_priority;
    QPlainTextEdit* m_memo;
    int m_busyDepth = 0;
    bool m_isConnected = false;
};

} // namespace vantor::ui
