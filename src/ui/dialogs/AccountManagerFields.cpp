#include "ui/dialogs/AccountManagerFields.h"

#include "core/accounts/AccountManagerLogic.h"
#include "core/program/DisplayText.h"

#include <QFormLayout>
#include <QRegularExpressionValidator>

namespace vantor::ui {

namespace {

using Logic = core::AccountManagerLogic;

const QString DefaultPop3Port = QStringLiteral("110");
const QString DefaultSmtpPort = QStringLiteral("25");

QString text(std::string_view bytes)
{
    return core::displayText(bytes);
}

QLineEdit* lineEdit(const char* objectName, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

// Digits only, so that a port is always decimal or empty; five of them cover every port.
QLineEdit* portEdit(const char* objectName, const QString& initial, QWidget* parent)
{
    QLineEdit* edit = lineEdit(objectName, parent);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), edit));
    edit->setText(initial);
    return edit;
}

QComboBox* securityBox(const char* objectName, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    for (std::string_view choice : {Logic::SecurityNone, Logic::SecuritySsl, Logic::SecurityStartTls})
        box->addItem(text(choice));
    return box;
}

void selectText(QComboBox& box, const std::string& wanted)
{
    const int index = box.findText(text(wanted));
    box.setCurrentIndex(index < 0 ? 0 : index);
}

} // namespace

AccountManagerFields::AccountManagerFields(const storage::TextTable& texts, QWidget* parent)
    : QGroupBox(core::uiText(texts, "AccountLabel", "006"), parent)
    , m_des(lineEdit("Des", this))
    , m_pop(lineEdit("Pop", this))
    , m_popPort(portEdit("Port1", DefaultPop3Port, this))
    , m_smtp(lineEdit("SMTP", this))
    , m_smtpPort(portEdit("Port2", DefaultSmtpPort, this))
    , m_user(lineEdit("User", this))
    , m_pass(lineEdit("Pass", this))
    , m_profBox(new QComboBox(this))
    , m_popSecurity(securityBox("PopSecurity", this))
    , m_smtpSecurity(securityBox("SmtpSecurity", this))
    , m_lastPopPort(DefaultPop3Port)
    , m_lastSmtpPort(DefaultSmtpPort)
{
    setObjectName(QStringLiteral("AddEditGroup"));
    m_pass->setEchoMode(QLineEdit::Password);
    // A new account is protected unless the user chooses otherwise.
    selectText(*m_popSecurity,
               Logic::defaultSecurity(core::storedText(DefaultPop3Port), Logic::ImplicitTlsPop3Port));
    selectText(*m_smtpSecurity,
               Logic::defaultSecurity(core::storedText(DefaultSmtpPort), Logic::ImplicitTlsSmtpPort));
    m_profBox->setObjectName(QStringLiteral("ProfBox"));

    const auto label = [&texts](const char* key, const char* section = "AccountLabel") {
        return core::uiText(texts, section, key);
    };
    auto* form = new QFormLayout(this);
    form->addRow(label("001"), m_des);
    form->addRow(label("002"), m_pop);
    form->addRow(label("009"), m_popPort);
    form->addRow(label("012", "Extra"), m_popSecurity);
    form->addRow(label("008"), m_smtp);
    form->addRow(label("009"), m_smtpPort);
    form->addRow(label("013", "Extra"), m_smtpSecurity);
    form->addRow(label("003"), m_user);
    form->addRow(label("004"), m_pass);
    form->addRow(label("005"), m_profBox);

    connect(m_popPort, &QLineEdit::textChanged, this,
            [this] { followPort(*m_popPort, *m_popSecurity, Logic::ImplicitTlsPop3Port, m_lastPopPort); });
    connect(m_smtpPort, &QLineEdit::textChanged, this,
            [this] { followPort(*m_smtpPort, *m_smtpSecurity, Logic::ImplicitTlsSmtpPort, m_lastSmtpPort); });
}

core::AccountFields AccountManagerFields::fields() const
{
    core::AccountFields result;
    result.description = core::storedText(m_des->text());
    result.popServer = core::storedText(m_pop->text());
    result.popPort = core::storedText(m_popPort->text());
    result.smtpServer = core::storedText(m_smtp->text());
    result.smtpPort = core::storedText(m_smtpPort->text());
    result.username = core::storedText(m_user->text());
    result.password = core::storedText(m_pass->text());
    result.profile = core::storedText(m_profBox->currentText());
    result.popSecurity = core::storedText(m_popSecurity->currentText());
    result.smtpSecurity = core::storedText(m_smtpSecurity->currentText());
    return result;
}

void AccountManagerFields::setFields(const core::AccountFields& fields,
                                     const std::vector<std::string>& profileChoices)
{
    m_des->setText(text(fields.description));
    m_pop->setText(text(fields.popServer));
    m_popPort->setText(text(fields.popPort));
    m_smtp->setText(text(fields.smtpServer));
    m_smtpPort->setText(text(fields.smtpPort));
    m_user->setText(text(fields.username));
    m_pass->setText(text(fields.password));
    // After the ports: their change moves the security boxes, the stored choice must win.
    selectText(*m_popSecurity, fields.popSecurity);
    selectText(*m_smtpSecurity, fields.smtpSecurity);
    setProfileChoices(profileChoices, fields.profile);
}

void AccountManagerFields::setProfileChoices(const std::vector<std::string>& choices,
                                             const std::string& selected)
{
    m_profBox->clear();
    for (const std::string& choice : choices)
        m_profBox->addItem(text(choice));
    selectText(*m_profBox, selected);
}

void AccountManagerFields::clearIdentity()
{
    m_des->clear();
    m_pop->clear();
    m_user->clear();
    m_pass->clear();
}

void AccountManagerFields::clearAll()
{
    clearIdentity();
    m_smtp->clear();
    m_popPort->setText(DefaultPop3Port);
    m_smtpPort->setText(DefaultSmtpPort);
    selectText(*m_popSecurity,
               Logic::defaultSecurity(core::storedText(DefaultPop3Port), Logic::ImplicitTlsPop3Port));
    selectText(*m_smtpSecurity,
               Logic::defaultSecurity(core::storedText(DefaultSmtpPort), Logic::ImplicitTlsSmtpPort));
    m_profBox->setCurrentIndex(0);
}

// A security box still showing the default of the old port takes the default of the new one; a choice the
// user made stays.
void AccountManagerFields::followPort(QLineEdit& port, QComboBox& security, int implicitTlsPort,
                                      QString& lastPort)
{
    const std::string oldDefault = Logic::defaultSecurity(core::storedText(lastPort), implicitTlsPort);
    if (security.currentText() == text(oldDefault))
        selectText(security, Logic::defaultSecurity(core::storedText(port.text()), implicitTlsPort));
    lastPort = port.text();
}

} // namespace vantor::ui
