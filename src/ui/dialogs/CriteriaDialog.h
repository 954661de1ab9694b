#pragma once

#include "filter/FilterRule.h"
#include "storage/TextTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <string_view>
#include <vector>

namespace vantor::ui {

// "Criteria": edits one rule of the filter editor. The choices show the current language's words, but
// rule() always carries the English keywords the profile stores, so a translated rule still matches.
// An exception rule of type "Domain" or "EMail" is always an "Equals" rule: the condition choice is then
// fixed. OK refuses an empty string; nothing typed is trimmed.
class CriteriaDialog : public QDialog
{
    Q_OBJECT

public:
    // Which fields the rule has: sender rules (type and condition), subject and header rules (condition
    // only) and exception rules (description, type and condition).
    enum class Page
    {
        TypeCondition,
        SubjectHeader,
        Exception
    };

    // rule: the values to show; what the page has no field for is kept as given.
    CriteriaDialog(const storage::TextTable& texts, Page page, const filter::FilterRule& rule,
                   QWidget* parent = nullptr);

    // The rule as the fields show it, its tick unchanged. Case is "Yes" or "No".
    filter::FilterRule rule() const;

    QLineEdit& descriptionEdit() { return *m_description; }
    QComboBox& typeChoice() { return *m_type; }
    QComboBox& conditionChoice() { return *m_condition; }
    QLineEdit& stringEdit() { return *m_string; }
    QCheckBox& caseBox() { return *m_case; }

    void okBtnClick();

private:
    using Words = std::vector<std::string_view>;

    void fillChoice(QComboBox& choice, const Words& choices, std::string_view selected);
    void onTypeChanged();
    std::string chosen(const QComboBox& choice, const std::string& kept) const;

    const storage::TextTable& m_texts;
    const Page m_page;
    const filter::FilterRule m_given;
    QLineEdit* m_description;
    QComboBox* m_type;
    QComboBox* m_condition;
    QLineEdit* m_string;
    QCheckBox* m_case;
    QPushButton* m_okBtn;
    QPushButton* m_cancelBtn;
};

} // namespace vantor::ui
