#pragma once

#include "core/program/UserPrompts.h"
#include "filter/Profile.h"
#include "storage/TextTable.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>

#include <vector>

namespace vantor::ui {

// One rule list of the filter editor (sender, subject, header or exception rules): the rows with their
// ticks and the buttons "Delete All", "Check All" and "Uncheck All". The rules are kept as they were read,
// so a rule nobody edits is saved byte for byte as it came; the ticks live in the rows.
class RuleListTab : public QWidget
{
    Q_OBJECT

public:
    RuleListTab(filter::RuleList list, const storage::TextTable& texts, core::UserPrompts& prompts,
                QWidget* parent = nullptr);

    filter::RuleList list() const { return m_list; }
    QTreeWidget& view() { return *m_view; }

    // Replaces every row.
    void setRules(const std::vector<filter::FilterRule>& rules);
    // The rows in order, each with its tick as Check.
    std::vector<filter::FilterRule> rules() const;
    filter::FilterRule rule(int row) const;
    void appendRule(const filter::FilterRule& rule);
    void replaceRule(int row, const filter::FilterRule& rule);
    void removeRule(int row);
    // The selected row, or -1.
    int selectedRow() const;
    // Puts an extra button beside the list's own (the contacts import of the exceptions).
    void addButton(QPushButton* button);

    void deleteAllBtnClick();
    void checkAllBtnClick();
    void uncheckAllBtnClick();

signals:
    // A row was selected or the selection went away.
    void selectionChanged();

private:
    QStringList rowTexts(const filter::FilterRule& rule) const;
    void fillRow(QTreeWidgetItem& item, const filter::FilterRule& rule);
    void setAllTicks(bool ticked);

    const filter::RuleList m_list;
    const storage::TextTable& m_texts;
    core::UserPrompts& m_prompts;
    std::vector<filter::FilterRule> m_rules;
    QTreeWidget* m_view;
    QHBoxLayout* m_buttons;
};

} // namespace vantor::ui
