#pragma once

#include "core/accounts/AccountFields.h"
#include "storage/TextTable.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include <string>
#include <vector>

namespace vantor::ui {

// The "Add/Edit Account" group of the account manager: the fields of one account, the profile box and the
// security choice of its POP3 and SMTP connections.
class AccountManagerFields : public QGroupBox
{
    Q_OBJECT

public:
    AccountManagerFields(const storage::TextTable& texts, QWidget* parent = nullptr);

    core::AccountFields fields() const;
    // Fills every field, with the profile box offering choices and showing fields.profile.
    void setFields(const core::AccountFields& fields, const std::vector<std::string>& profileChoices);
    void setProfileChoices(const std::vector<std::string>& choices, const std::string& selected);
    // What Add and Save leave behind: description, POP server, user name and password emptied.
    void clearIdentity();
    // What Delete leaves behind: every field empty, the ports 110 and 25, the profile back to the first
    // entry.
    void clearAll();

    QLineEdit& des() { return *m_des; }
    QLineEdit& pop() { return *m_pop; }
    QLineEdit& popPort() { return *m_popPort; }
    QLineEdit& smtp() { return *m_smtp; }
    QLineEdit& smtpPort() { return *m_smtpPort; }
    QLineEdit& user() { return *m_user; }
    QLineEdit& pass() { return *m_pass; }
    QComboBox& profBox() { return *m_profBox; }
    QComboBox& popSecurity() { return *m_popSecurity; }
    QComboBox& smtpSecurity() { return *m_smtpSecurity; }

private:
    void followPort(QLineEdit& port, QComboBox& security, int implicitTlsPort, QString& lastPort);

    QLineEdit* m_des;
    QLineEdit* m_pop;
    QLineEdit* m_popPort;
    QLineEdit* m_smtp;
    QLineEdit* m_smtpPort;
    QLineEdit* m_user;
    QLineEdit* m_pass;
    QComboBox* m_profBox;
    QComboBox* m_popSecurity;
    QComboBox* m_smtpSecurity;
    // The port texts the security boxes last followed.
    QString m_lastPopPort;
    QString m_lastSmtpPort;
};

} // namespace vantor::ui
