#include "ui/dialogs/RuleListTab.h"

#include "core/program/DisplayText.h"
#include "ui/dialogs/CriteriaWords.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

namespace vantor::ui {

using core::displayText;
using core::uiText;
using filter::RuleList;

namespace {

QStringList columnTitles(const storage::TextTable& texts, RuleList list)
{
    const auto title = [&texts](const char* key) { return uiText(texts, "FilterList", key); };
    switch (list) {
    case RuleList::Sender:
        return {title("001"), title("002"), title("003"), title("004")};
    case RuleList::Subject:
    case RuleList::Headers:
        return {title("002"), title("003"), title("004")};
    case RuleList::Exceptions:
        break;
    }
    return {title("005"), title("001"), title("002"), title("003"), title("004")};
}

QPushButton* listButton(const storage::TextTable& texts, const char* key, const QString& objectName,
                        QWidget* parent)
{
    auto* button = new QPushButton(uiText(texts, "FilterButton", key), parent);
    button->setObjectName(objectName);
    // Enter in the editor must never reach "Delete All" because it happens to hold the focus.
    button->setAutoDefault(false);
    return button;
}

} // namespace

RuleListTab::RuleListTab(RuleList list, const storage::TextTable& texts, core::UserPrompts& prompts,
                         QWidget* parent)
    : QWidget(parent)
    , m_list(list)
    , m_texts(texts)
    , m_prompts(prompts)
    , m_view(new QTreeWidget(this))
    , m_buttons(new QHBoxLayout)
{
    const QString name = QStringLiteral("List%1").arg(static_cast<int>(list));
    setObjectName(QStringLiteral("Tab%1").arg(static_cast<int>(list)));
    m_view->setObjectName(name);
    m_view->setRootIsDecorated(false);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setHeaderLabels(columnTitles(texts, list));
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setSectionResizeMode(QHeaderView::Interactive);

    QPushButton* deleteAll = listButton(texts, "007", name + QStringLiteral("DeleteAll"), this);
    QPushButton* checkAll = listButton(texts, "008", name + QStringLiteral("CheckAll"), this);
    QPushButton* uncheckAll = listButton(texts, "009", name + QStringLiteral("UncheckAll"), this);
    m_buttons->addWidget(deleteAll);
    m_buttons->addWidget(checkAll);
    m_buttons->addWidget(uncheckAll);
    m_buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(m_buttons);

    connect(deleteAll, &QPushButton::clicked, this, &RuleListTab::deleteAllBtnClick);
    connect(checkAll, &QPushButton::clicked, this, &RuleListTab::checkAllBtnClick);
    connect(uncheckAll, &QPushButton::clicked, this, &RuleListTab::uncheckAllBtnClick);
    connect(m_view, &QTreeWidget::itemSelectionChanged, this, &RuleListTab::selectionChanged);
    connect(m_view, &QTreeWidget::itemClicked, this, &RuleListTab::selectionChanged);
}

void RuleListTab::setRules(const std::vector<filter::FilterRule>& rules)
{
    m_view->clear();
    m_rules.clear();
    for (const filter::FilterRule& each : rules)
        appendRule(each);
    // Patterns are what the user reads the list for: no column cuts them short.
    for (int column = 0; column < m_view->columnCount(); ++column)
        m_view->resizeColumnToContents(column);
}

std::vector<filter::FilterRule> RuleListTab::rules() const
{
    std::vector<filter::FilterRule> result;
    result.reserve(m_rules.size());
    for (int row = 0; row < static_cast<int>(m_rules.size()); ++row)
        result.push_back(rule(row));
    return result;
}

filter::FilterRule RuleListTab::rule(int row) const
{
    filter::FilterRule result = m_rules.at(static_cast<std::size_t>(row));
    result.check = m_view->topLevelItem(row)->checkState(0) == Qt::Checked;
    return result;
}

void RuleListTab::appendRule(const filter::FilterRule& rule)
{
    m_rules.push_back(rule);
    auto* item = new QTreeWidgetItem(m_view);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    fillRow(*item, rule);
}

void RuleListTab::replaceRule(int row, const filter::FilterRule& rule)
{
    m_rules.at(static_cast<std::size_t>(row)) = rule;
    fillRow(*m_view->topLevelItem(row), rule);
}

void RuleListTab::removeRule(int row)
{
    m_rules.erase(m_rules.begin() + row);
    delete m_view->takeTopLevelItem(row);
    emit selectionChanged();
}

int RuleListTab::selectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_view->selectedItems();
    return selected.isEmpty() ? -1 : m_view->indexOfTopLevelItem(selected.constFirst());
}

void RuleListTab::addButton(QPushButton* button)
{
    m_buttons->addWidget(button);
}

void RuleListTab::deleteAllBtnClick()
{
    if (!m_prompts.askYesNo(uiText(m_texts, "Message", "053")))
        return;
    m_view->clear();
    m_rules.clear();
    emit selectionChanged();
}

void RuleListTab::checkAllBtnClick()
{
    setAllTicks(true);
}

void RuleListTab::uncheckAllBtnClick()
{
    setAllTicks(false);
}

QStringList RuleListTab::rowTexts(const filter::FilterRule& rule) const
{
    const QString type = criteriawords::display(m_texts, rule.type);
    const QString condition = criteriawords::display(m_texts, rule.condition);
    const QString pattern = displayText(rule.pattern);
    const QString caseText = displayText(rule.caseText);
    switch (m_list) {
    case RuleList::Sender:
        return {type, condition, pattern, caseText};
    case RuleList::Subject:
    case RuleList::Headers:
        return {condition, pattern, caseText};
    case RuleList::Exceptions:
        break;
    }
    return {displayText(rule.description), type, condition, pattern, caseText};
}

void RuleListTab::fillRow(QTreeWidgetItem& item, const filter::FilterRule& rule)
{
    const QStringList texts = rowTexts(rule);
    for (int column = 0; column < texts.size(); ++column)
        item.setText(column, texts[column]);
    item.setCheckState(0, rule.check ? Qt::Checked : Qt::Unchecked);
}

void RuleListTab::setAllTicks(bool ticked)
{
    for (int row = 0; row < m_view->topLevelItemCount(); ++row)
        m_view->topLevelItem(row)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

} // namespace vantor::ui
