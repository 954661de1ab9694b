#include "ui/dialogs/CriteriaDialog.h"

#include "core/program/DisplayText.h"
#include "ui/dialogs/CriteriaWords.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QVBoxLayout>

namespace vantor::ui {

namespace words = criteriawords;
using core::uiText;

namespace {

// The order of each choice is the one users of the earlier versions know.
const std::vector<std::string_view> SenderTypes = {words::Domain, words::EMail};
const std::vector<std::string_view> SenderConditions = {words::Contains, words::EndsWith, words::Equals,
                                                        words::StartsWith};
const std::vector<std::string_view> SubjectConditions = {words::Contains, words::Equals, words::StartsWith,
                                                         words::EndsWith};
const std::vector<std::string_view> ExceptionTypes = {words::Domain, words::EMail, words::Subject};
const std::vector<std::string_view> ExceptionConditions = {words::Contains, words::Equals, words::EndsWith,
                                                           words::StartsWith};

// The engine compares addresses and domains of exceptions only for equality.
bool isAddressType(std::string_view type)
{
    return type == words::Domain || type == words::EMail;
}

} // namespace

CriteriaDialog::CriteriaDialog(const storage::TextTable& texts, Page page, const filter::FilterRule& rule,
                               QWidget* parent)
    : QDialog(parent)
    , m_texts(texts)
    , m_page(page)
    , m_given(rule)
    , m_description(new QLineEdit(core::displayText(rule.description), this))
    , m_type(new QComboBox(this))
    , m_condition(new QComboBox(this))
    , m_string(new QLineEdit(core::displayText(rule.pattern), this))
    , m_case(new QCheckBox(uiText(texts, "CriteriaForm", "006"), this))
    , m_okBtn(new QPushButton(uiText(texts, "FilterButton", "005"), this))
    , m_cancelBtn(new QPushButton(uiText(texts, "Extra", "052"), this))
{
    setObjectName(QStringLiteral("Criteria"));
    setWindowTitle(uiText(texts, "CriteriaForm", "001"));
    m_description->setObjectName(QStringLiteral("Description"));
    m_type->setObjectName(QStringLiteral("TypeChoice"));
    m_condition->setObjectName(QStringLiteral("ConditionChoice"));
    m_string->setObjectName(QStringLiteral("StringEdit"));
    m_case->setObjectName(QStringLiteral("CaseBox"));
    m_okBtn->setObjectName(QStringLiteral("OKBtn"));
    m_cancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    m_case->setChecked(rule.isCaseSensitive());

    auto* form = new QFormLayout;
    if (page == Page::Exception)
        form->addRow(uiText(texts, "CriteriaForm", "002"), m_description);
    else
        m_description->hide();
    switch (page) {
    case Page::TypeCondition:
        fillChoice(*m_type, SenderTypes, rule.type);
        fillChoice(*m_condition, SenderConditions, rule.condition);
        break;
    case Page::SubjectHeader:
        fillChoice(*m_condition, SubjectConditions, rule.condition);
        break;
    case Page::Exception:
        fillChoice(*m_type, ExceptionTypes, rule.type);
        fillChoice(*m_condition, ExceptionConditions, rule.condition);
        break;
    }
    if (page == Page::SubjectHeader)
        m_type->hide();
    else
        form->addRow(uiText(texts, "CriteriaForm", "003"), m_type);
    form->addRow(uiText(texts, "CriteriaForm", "004"), m_condition);
    form->addRow(uiText(texts, "CriteriaForm", "005"), m_string);
    form->addRow(QString(), m_case);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okBtn);
    buttons->addWidget(m_cancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    m_okBtn->setDefault(true);

    if (page == Page::Exception) {
        // A stored "Domain" rule with another condition is shown, and saved, as the "Equals" rule the
        // engine treats it as.
        onTypeChanged();
        connect(m_type, &QComboBox::currentIndexChanged, this, &CriteriaDialog::onTypeChanged);
    }
    connect(m_okBtn, &QPushButton::clicked, this, &CriteriaDialog::okBtnClick);
    connect(m_cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    resize(420, sizeHint().height());
}

void CriteriaDialog::fillChoice(QComboBox& choice, const Words& choices, std::string_view selected)
{
    for (std::string_view word : choices)
        choice.addItem(words::display(m_texts, word), QByteArray(word.data(), static_cast<int>(word.size())));
    // A stored word that is none of the choices (a damaged rule) leaves the choice empty; rule() then keeps
    // the stored text rather than inventing one.
    choice.setCurrentIndex(choice.findData(QByteArray(selected.data(), static_cast<int>(selected.size()))));
}

void CriteriaDialog::onTypeChanged()
{
    const bool fixed = isAddressType(chosen(*m_type, m_given.type));
    if (fixed)
        m_condition->setCurrentIndex(
            m_condition->findData(QByteArray(words::Equals.data(), static_cast<int>(words::Equals.size()))));
    m_condition->setEnabled(!fixed);
}

std::string CriteriaDialog::chosen(const QComboBox& choice, const std::string& kept) const
{
    return choice.currentIndex() < 0 ? kept : choice.currentData().toByteArray().toStdString();
}

filter::FilterRule CriteriaDialog::rule() const
{
    filter::FilterRule result = m_given;
    if (m_page == Page::Exception)
        result.description = core::storedText(m_description->text());
    if (m_page != Page::SubjectHeader)
        result.type = chosen(*m_type, m_given.type);
    result.condition = chosen(*m_condition, m_given.condition);
    result.pattern = core::storedText(m_string->text());
    result.caseText = m_case->isChecked() ? "Yes" : "No";
    return result;
}

void CriteriaDialog::okBtnClick()
{
    if (m_string->text().isEmpty()) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Information"),
                        uiText(m_texts, "Message", "057"), QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("FillStringBox"));
        box.exec();
        return;
    }
    accept();
}

} // namespace vantor::ui
