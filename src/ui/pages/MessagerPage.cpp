#include "ui/pages/MessagerPage.h"

#include "core/program/DisplayText.h"

#include <QFormLayout>

namespace vantor::ui {

MessagerPage::MessagerPage(QWidget* parent)
    : QWidget(parent)
    , m_accountLabel(new QLabel(this))
    , m_sendBox(new QComboBox(this))
    , m_nameLabel(new QLabel(this))
    , m_fromNameEdit(new QLineEdit(this))
    , m_addressLabel(new QLabel(this))
    , m_fromAddressEdit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("MessagerPage"));
    m_sendBox->setObjectName(QStringLiteral("SendBox"));
    m_sendBox->setMinimumWidth(220);
    m_fromNameEdit->setObjectName(QStringLiteral("FromNameEdit"));
    m_fromAddressEdit->setObjectName(QStringLiteral("FromAddressEdit"));
    auto* layout = new QFormLayout(this);
    layout->addRow(m_accountLabel, m_sendBox);
    layout->addRow(m_nameLabel, m_fromNameEdit);
    layout->addRow(m_addressLabel, m_fromAddressEdit);
}

void MessagerPage::setAccounts(const QStringList& descriptions)
{
    m_sendBox->clear();
    m_sendBox->addItems(descriptions);
    m_sendBox->setCurrentIndex(descriptions.isEmpty() ? -1 : 0);
}

void MessagerPage::setSenderDefaults(const QString& name, const QString& address)
{
    m_fromNameEdit->setText(name);
    m_fromAddressEdit->setText(address);
}

void MessagerPage::relabel(const storage::TextTable& texts)
{
    m_accountLabel->setText(core::uiText(texts, "Label", "003"));
    m_nameLabel->setText(core::uiText(texts, "SettingLabel", "040"));
    m_addressLabel->setText(core::uiText(texts, "Label", "001"));
}

} // namespace vantor::ui
