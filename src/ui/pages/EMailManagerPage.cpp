#include "ui/pages/EMailManagerPage.h"

#include "core/program/DisplayText.h"

#include <QFormLayout>

namespace vantor::ui {

EMailManagerPage::EMailManagerPage(QWidget* parent)
    : QWidget(parent)
    , m_accountLabel(new QLabel(this))
    , m_accountBox(new QComboBox(this))
{
    setObjectName(QStringLiteral("EMailManagerPage"));
    m_accountBox->setObjectName(QStringLiteral("AccountBox"));
    m_accountBox->setMinimumWidth(220);
    auto* layout = new QFormLayout(this);
    layout->addRow(m_accountLabel, m_accountBox);
}

void EMailManagerPage::setAccounts(const QStringList& descriptions)
{
    m_accountBox->clear();
    m_accountBox->addItems(descriptions);
    m_accountBox->setCurrentIndex(descriptions.isEmpty() ? -1 : 0);
}

void EMailManagerPage::relabel(const storage::TextTable& texts)
{
    m_accountLabel->setText(core::uiText(texts, "Label", "003"));
}

} // namespace vantor::ui
