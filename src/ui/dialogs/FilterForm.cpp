#include "ui/dialogs/FilterForm.h"

#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"
#include "storage/IniError.h"
#include "ui/dialogs/BlackListTab.h"
#include "ui/dialogs/CriteriaDialog.h"
#include "ui/dialogs/CriteriaWords.h"
#include "ui/dialogs/FilterChoiceBox.h"
#include "ui/dialogs/OtherRulesTab.h"
#include "ui/dialogs/RuleListTab.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vantor::ui {

using core::displayText;
using core::uiText;
using filter::RuleList;

namespace {

constexpr RuleList AllLists[] = {RuleList::Sender, RuleList::Subject, RuleList::Headers,
                                 RuleList::Exceptions};

QByteArray bytesOf(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

CriteriaDialog::Page pageFor(RuleList list)
{
    switch (list) {
    case RuleList::Sender:
        return CriteriaDialog::Page::TypeCondition;
    case RuleList::Exceptions:
        return CriteriaDialog::Page::Exception;
    case RuleList::Subject:
    case RuleList::Headers:
        break;
    }
    return CriteriaDialog::Page::SubjectHeader;
}

// What "Add" offers: the first type, "Contains", nothing typed; an exception starts as a "Domain" rule,
// which can only be an "Equals" rule.
filter::FilterRule newRule(RuleList list)
{
    filter::FilterRule rule;
    rule.description.clear();
    rule.pattern.clear();
    rule.caseText = "No";
    rule.check = true;
    rule.type = list == RuleList::Subject || list == RuleList::Headers ? std::string()
                                                                       : std::string(criteriawords::Domain);
    rule.condition =
        std::string(list == RuleList::Exceptions ? criteriawords::Equals : criteriawords::Contains);
    return rule;
}

// A name becomes a file in the profile folder: it must stay there, and a leading dot would hide it from
// the listing.
bool isFileName(const QString& name)
{
    return !name.startsWith(QLatin1Char('.')) && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

} // namespace

FilterForm::FilterForm(const Services& services, QWidget* parent)
    : QDialog(parent)
    , m_texts(services.texts)
    , m_prompts(services.prompts)
    , m_importContacts(services.importContacts)
    , m_store(services.home.nativeDir())
    , m_tabs(new QTabWidget(this))
    , m_otherTab(new OtherRulesTab(services.texts, this))
    , m_blackListTab(new BlackListTab(services.home.nativeDir(), services.texts, this))
    , m_profileChoice(new FilterChoiceBox(this))
{
    setObjectName(QStringLiteral("FilterForm"));
    setWindowTitle(uiText(m_texts, "Menu", "005"));
    // A title bar without a close box: OK, which saves, is the only way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    m_tabs->setObjectName(QStringLiteral("PageControl"));
    const char* tabKeys[] = {"001", "002", "003", "004"};
    for (RuleList list : AllLists) {
        auto* tab = new RuleListTab(list, m_texts, m_prompts, this);
        m_ruleTabs.push_back(tab);
        m_tabs->addTab(tab, uiText(m_texts, "FilterTab", tabKeys[m_ruleTabs.size() - 1]));
        connect(tab, &RuleListTab::selectionChanged, this, &FilterForm::updateRuleButtons);
    }
    m_tabs->addTab(m_otherTab, uiText(m_texts, "FilterTab", "005"));
    m_tabs->addTab(m_blackListTab, uiText(m_texts, "FilterTab", "006"));
    QPushButton* importBtn = button("ImportContactsBtn", uiText(m_texts, "Extra", "060"));
    ruleTab(RuleList::Exceptions).addButton(importBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buildFamilyRow());
    layout->addLayout(buildProfileRow());

    m_profileChoice->setObjectName(QStringLiteral("ProfileChoice"));
    for (const std::string& name : m_store.list())
        m_profileChoice->addItem(displayText(name), bytesOf(name));
    m_profileChoice->setCurrentIndex(-1);
    m_profileChoice->setBeforePopup([this] { return saveBeforeLeaving(); });

    connect(m_profileChoice, &QComboBox::activated, this, &FilterForm::loadChosenProfile);
    connect(m_tabs, &QTabWidget::currentChanged, this, &FilterForm::updateRuleButtons);
    connect(importBtn, &QPushButton::clicked, this, &FilterForm::importContactsBtnClick);
    connect(m_addRuleBtn, &QPushButton::clicked, this, &FilterForm::addRuleBtnClick);
    connect(m_editRuleBtn, &QPushButton::clicked, this, &FilterForm::editRuleBtnClick);
    connect(m_deleteRuleBtn, &QPushButton::clicked, this, &FilterForm::deleteRuleBtnClick);
    connect(m_saveAsBtn, &QPushButton::clicked, this, &FilterForm::saveAsBtnClick);
    connect(m_addProfileBtn, &QPushButton::clicked, this, &FilterForm::addProfileBtnClick);
    connect(m_deleteProfileBtn, &QPushButton::clicked, this, &FilterForm::deleteProfileBtnClick);
    connect(m_okBtn, &QPushButton::clicked, this, &FilterForm::okBtnClick);

    m_tabs->setCurrentIndex(0);
    updateRuleButtons();
    resize(720, 540);
}

QPushButton* FilterForm::button(const char* objectName, const QString& text)
{
    auto* result = new QPushButton(text, this);
    result->setObjectName(QString::fromLatin1(objectName));
    result->setAutoDefault(false);
    return result;
}

QWidget* FilterForm::buildFamilyRow()
{
    m_familyRow = new QWidget(this);
    const auto familyBox = [this](const char* objectName, const char* key) {
        auto* box = new QCheckBox(uiText(m_texts, "FilterTab", key), m_familyRow);
        box->setObjectName(QString::fromLatin1(objectName));
        box->setChecked(true);
        return box;
    };
    m_senderOn = familyBox("SenderOn", "001");
    m_subjectOn = familyBox("SubjectOn", "002");
    m_headersOn = familyBox("HeadersOn", "003");
    m_exceptionsOn = familyBox("ExceptionsOn", "004");
    m_otherOn = familyBox("OtherOn", "005");
    m_addRuleBtn = button("AddRuleBtn", uiText(m_texts, "FilterButton", "001"));
    m_editRuleBtn = button("EditRuleBtn", uiText(m_texts, "FilterButton", "002"));
    m_deleteRuleBtn = button("DeleteRuleBtn", uiText(m_texts, "FilterButton", "003"));

    auto* row = new QHBoxLayout(m_familyRow);
    row->setContentsMargins(0, 0, 0, 0);
    for (QCheckBox* each : {m_senderOn, m_subjectOn, m_headersOn, m_exceptionsOn, m_otherOn})
        row->addWidget(each);
    row->addStretch();
    for (QPushButton* each : {m_addRuleBtn, m_editRuleBtn, m_deleteRuleBtn})
        row->addWidget(each);
    return m_familyRow;
}

QLayout* FilterForm::buildProfileRow()
{
    m_saveAsBtn = button("SaveAsBtn", uiText(m_texts, "FilterButton", "004"));
    m_addProfileBtn = button("AddProfileBtn", uiText(m_texts, "FilterButton", "001"));
    m_deleteProfileBtn = button("DeleteProfileBtn", uiText(m_texts, "FilterButton", "003"));
    m_okBtn = button("OKBtn", uiText(m_texts, "FilterButton", "005"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(uiText(m_texts, "FilterLabel", "017"), this));
    row->addWidget(m_profileChoice, 1);
    for (QPushButton* each : {m_saveAsBtn, m_addProfileBtn, m_deleteProfileBtn})
        row->addWidget(each);
    row->addStretch();
    row->addWidget(m_okBtn);
    return row;
}

RuleListTab& FilterForm::ruleTab(RuleList list)
{
    return *m_ruleTabs.at(static_cast<std::size_t>(list) - 1);
}

std::string FilterForm::currentProfileName() const
{
    const int index = m_profileChoice->currentIndex();
    return index < 0 ? std::string() : m_profileChoice->itemData(index).toByteArray().toStdString();
}

filter::Profile FilterForm::shownProfile() const
{
    filter::Profile profile;
    profile.active = {m_senderOn->isChecked(), m_subjectOn->isChecked(), m_headersOn->isChecked(),
                      m_exceptionsOn->isChecked(), m_otherOn->isChecked()};
    for (const RuleListTab* tab : m_ruleTabs)
        profile.rules(tab->list()) = tab->rules();
    m_otherTab->applyTo(profile);
    profile.general.eblf = m_blackListTab->isFilterOn();
    profile.general.bList = m_blackListTab->listName();
    // Every saved profile carries the whole domain table.
    profile.general.mldNum = static_cast<int>(filter::MainLevelDomainCount);
    return profile;
}

void FilterForm::showProfile(const filter::Profile& profile)
{
    m_senderOn->setChecked(profile.active.sender);
    m_subjectOn->setChecked(profile.active.subject);
    m_headersOn->setChecked(profile.active.headers);
    m_exceptionsOn->setChecked(profile.active.exceptions);
    m_otherOn->setChecked(profile.active.other);
    for (RuleListTab* tab : m_ruleTabs)
        tab->setRules(profile.rules(tab->list()));
    m_otherTab->showProfile(profile);
    m_blackListTab->showChoice(profile.general.eblf, profile.general.bList);
    updateRuleButtons();
}

void FilterForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_wasShown)
        return;
    m_wasShown = true;
    // The first profile of the folder, whatever account opened the editor.
    if (m_profileChoice->count() > 0) {
        m_profileChoice->setCurrentIndex(0);
        loadChosenProfile();
    }
}

void FilterForm::loadChosenProfile()
{
    const std::string name = currentProfileName();
    if (name.empty())
        return;
    filter::Profile profile;
    QString failure;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        profile = m_store.read(name);
    } catch (const storage::IniError& error) {
        failure = QString::fromStdString(error.what());
    }
    QApplication::restoreOverrideCursor();
    m_isShownReadable = failure.isEmpty();
    if (!m_isShownReadable) {
        // Nothing of the file is known: show no rules, and save nothing over it.
        showProfile(filter::Profile{});
        setEditable(false);
        m_prompts.showError(
            core::fillPlaceholders(uiText(m_texts, "Extra", "063"), {displayText(m_store.path(name))}) +
            QLatin1Char('\n') + failure);
        return;
    }
    showProfile(profile);
    setEditable(true);
}

bool FilterForm::writeProfile(const std::string& name, const filter::Profile& profile)
{
    try {
        m_store.write(name, profile);
        return true;
    } catch (const storage::IniError& error) {
        m_prompts.showError(uiText(m_texts, "Message", "008") + QLatin1Char('\n') +
                            displayText(m_store.path(name)) + QLatin1Char('\n') +
                            QString::fromStdString(error.what()));
        return false;
    }
}

bool FilterForm::saveBeforeLeaving()
{
    const std::string name = currentProfileName();
    if (name.empty() || !m_isShownReadable || writeProfile(name, shownProfile()))
        return true;
    // Without this way out a folder that cannot be written would hold the user in the dialog.
    return m_prompts.askYesNo(uiText(m_texts, "Extra", "066"));
}

std::string FilterForm::askProfileName(const char* titleKey)
{
    const QString name = m_prompts.askText(uiText(m_texts, "FilterMessage", titleKey),
                                           uiText(m_texts, "FilterMessage", "003"));
    if (name.isEmpty())
        return {};
    if (!isFileName(name)) {
        m_prompts.showError(
            core::fillPlaceholders(uiText(m_texts, "Extra", "067"), {name}));
        return {};
    }
    return core::storedText(name);
}

void FilterForm::appendChoice(const std::string& name)
{
    m_profileChoice->addItem(displayText(name), bytesOf(name));
    m_profileChoice->setCurrentIndex(m_profileChoice->count() - 1);
}

void FilterForm::setEditable(bool editable)
{
    m_tabs->setEnabled(editable);
    m_familyRow->setEnabled(editable);
    m_saveAsBtn->setEnabled(editable);
    updateRuleButtons();
}

void FilterForm::okBtnClick()
{
    if (saveBeforeLeaving())
        accept();
}

void FilterForm::reject() {}

void FilterForm::saveAsBtnClick()
{
    if (!m_isShownReadable)
        return;
    const std::string name = askProfileName("002");
    if (name.empty() || !writeProfile(name, shownProfile()))
        return;
    // A second entry when the name was listed already: the file is the same, only the choice repeats it.
    appendChoice(name);
}

void FilterForm::addProfileBtnClick()
{
    if (!saveBeforeLeaving())
        return;
    const std::string name = askProfileName("004");
    if (name.empty())
        return;
    // A new profile starts with the defaults, but keeps the domain ticks and the black list the user
    // has just been looking at.
    const filter::Profile shown = shownProfile();
    filter::Profile fresh;
    fresh.general.eblf = true;
    fresh.general.bList = shown.general.bList;
    fresh.general.mldNum = static_cast<int>(filter::MainLevelDomainCount);
    fresh.domainTicks = shown.domainTicks;
    if (!writeProfile(name, fresh))
        return;
    m_isShownReadable = true;
    showProfile(fresh);
    setEditable(true);
    appendChoice(name);
}

void FilterForm::deleteProfileBtnClick()
{
    const std::string name = currentProfileName();
    if (name == filter::ProfileStore::DefaultName) {
        m_prompts.showError(uiText(m_texts, "FilterMessage", "007"));
        return;
    }
    if (name.empty() || !m_store.exists(name)) {
        m_prompts.showError(uiText(m_texts, "FilterMessage", "006"));
        return;
    }
    if (!m_prompts.askYesNo(uiText(m_texts, "FilterMessage", "001")))
        return;
    if (!m_store.remove(name)) {
        m_prompts.showError(uiText(m_texts, "FilterMessage", "005"));
        return;
    }
    m_profileChoice->removeItem(m_profileChoice->currentIndex());
    m_profileChoice->setCurrentIndex(m_profileChoice->count() > 0 ? 0 : -1);
    loadChosenProfile();
}

RuleListTab* FilterForm::visibleRuleTab() const
{
    return qobject_cast<RuleListTab*>(m_tabs->currentWidget());
}

void FilterForm::updateRuleButtons()
{
    const RuleListTab* tab = visibleRuleTab();
    const bool hasList = tab && m_isShownReadable;
    const bool hasRow = hasList && tab->selectedRow() >= 0;
    // The "Other" and "Black List" tabs have no list a rule could go to.
    m_addRuleBtn->setEnabled(hasList);
    m_editRuleBtn->setEnabled(hasRow);
    m_deleteRuleBtn->setEnabled(hasRow);
}

void FilterForm::addRuleBtnClick()
{
    RuleListTab* tab = visibleRuleTab();
    if (!tab)
        return;
    CriteriaDialog criteria(m_texts, pageFor(tab->list()), newRule(tab->list()), this);
    if (criteria.exec() != QDialog::Accepted)
        return;
    filter::FilterRule rule = criteria.rule();
    rule.check = true;
    tab->appendRule(rule);
}

void FilterForm::editRuleBtnClick()
{
    RuleListTab* tab = visibleRuleTab();
    const int row = tab ? tab->selectedRow() : -1;
    if (row < 0)
        return;
    CriteriaDialog criteria(m_texts, pageFor(tab->list()), tab->rule(row), this);
    if (criteria.exec() == QDialog::Accepted)
        tab->replaceRule(row, criteria.rule());
}

void FilterForm::deleteRuleBtnClick()
{
    RuleListTab* tab = visibleRuleTab();
    const int row = tab ? tab->selectedRow() : -1;
    if (row < 0 || !m_prompts.askYesNo(uiText(m_texts, "FilterMessage", "001")))
        return;
    tab->removeRule(row);
}

void FilterForm::importContactsBtnClick()
{
    if (!m_importContacts)
        return;
    RuleListTab& exceptions = ruleTab(RuleList::Exceptions);
    for (filter::FilterRule rule : m_importContacts()) {
        rule.check = true;
        exceptions.appendRule(rule);
    }
}

} // namespace vantor::ui
