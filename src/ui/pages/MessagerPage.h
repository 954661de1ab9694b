#pragma once

#include "core/messager/Messager.h"
#include "core/program/UserPrompts.h"
#include "storage/TextTable.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

namespace vantor::ui {

// Page 3: the message sender. A small composer for one plain-text message with attachments, sent through
// the SMTP server of the account picked in SendBox; the sending itself lives in core::Messager.
class MessagerPage : public QWidget
{
    Q_OBJECT

public:
    explicit MessagerPage(QWidget* parent = nullptr);

    // The sender behind the buttons, the texts of the page and the prompts for a file that cannot be read;
    // all of them outlive the page.
    void attach(core::Messager& messager, const storage::TextTable& texts, core::UserPrompts& prompts);

    // SendBox gets these descriptions in order; the first is selected when there is one.
    void setAccounts(const QStringList& descriptions);
    // The sender fields take these now and again at every Clear.
    void setSenderDefaults(const QString& name, const QString& address);
    // A message to this address: the recipient field takes it.
    void setRecipient(const QString& address);
    void relabel(const storage::TextTable& texts);

    void sendButtonClick();
    void clearBtnClick();
    void abortBtnClick();
    void addBtnClick();
    void removeBtnClick();

    QComboBox& sendBox() { return *m_sendBox; }
    QLineEdit& fromNameEdit() { return *m_fromNameEdit; }
    QLineEdit& fromAddressEdit() { return *m_fromAddressEdit; }
    QLineEdit& toAddressEdit() { return *m_toAddressEdit; }
    QLineEdit& toNameEdit() { return *m_toNameEdit; }
    QLineEdit& subjectEdit() { return *m_subjectEdit; }
    QSlider& trackPri() { return *m_trackPri; }
    QLabel& labelPri() { return *m_labelPri; }
    QPlainTextEdit& editor() { return *m_editor; }
    QListWidget& filesList() { return *m_filesList; }
    QLabel& statusLabel() { return *m_statusLabel; }
    QPushButton& sendButton() { return *m_sendButton; }
    QPushButton& abortButton() { return *m_abortButton; }

private:
    void showPriorityWord();
    void setSending(bool isSending);
    core::MessageDraft draft() const;

    core::Messager* m_messager = nullptr;
    const storage::TextTable* m_texts = nullptr;
    core::UserPrompts* m_prompts = nullptr;
    QString m_defaultName;
    QString m_defaultAddress;

    QLabel* m_accountLabel;
    QComboBox* m_sendBox;
    QLabel* m_nameLabel;
    QLineEdit* m_fromNameEdit;
    QLabel* m_addressLabel;
    QLineEdit* m_fromAddressEdit;
    QLabel* m_toNameLabel;
    QLineEdit* m_toNameEdit;
    QLabel* m_toAddressLabel;
    QLineEdit* m_toAddressEdit;
    QLabel* m_subjectLabel;
    QLineEdit* m_subjectEdit;
    QLabel* m_priorityLabel;
    QSlider* m_trackPri;
    QLabel* m_labelPri;
    QPlainTextEdit* m_editor;
    QLabel* m_filesLabel;
    QListWidget* m_filesList;
    QPushButton* m_addButton;
    QPushButton* m_removeButton;
    QPushButton* m_sendButton;
    QPushButton* m_clearButton;
    QPushButton* m_abortButton;
    QLabel* m_statusLabel;
};

} // namespace vantor::ui
