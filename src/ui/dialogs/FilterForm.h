#pragma once

#include "core/program/HomeDirectory.h"
#include "core/program/UserPrompts.h"
#include "filter/FilterRule.h"
#include "filter/Profile.h"
#include "filter/ProfileStore.h"
#include "storage/TextTable.h"

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTabWidget>

#include <functional>
#include <string>
#include <vector>

namespace vantor::ui {

class BlackListTab;
class FilterChoiceBox;
class OtherRulesTab;
class RuleListTab;

// "Filters": the profile editor. It shows one profile at a time, held entirely in its controls, and writes
// the whole profile back when the user leaves it: by OK, by opening the profile choice to switch, or by
// "Save as..." and "Add". There is no Cancel; OK is the only way out. Create it for one opening and exec()
// it.
class FilterForm : public QDialog
{
    Q_OBJECT

public:
    struct Services
    {
        const core::HomeDirectory& home;
        const storage::TextTable& texts;
        core::UserPrompts& prompts;
        // The contacts the user picks to become exception rules; empty when nothing was picked.
        std::function<std::vector<filter::FilterRule>()> importContacts;
    };

    explicit FilterForm(const Services& services, QWidget* parent = nullptr);

    RuleListTab& ruleTab(filter::RuleList list);
    OtherRulesTab& otherTab() { return *m_otherTab; }
    BlackListTab& blackListTab() { return *m_blackListTab; }
    QTabWidget& tabs() { return *m_tabs; }
    FilterChoiceBox& profileChoice() { return *m_profileChoice; }
    // The name of the shown profile (the file a save writes); empty when the choice is empty.
    std::string currentProfileName() const;
    // The profile as the controls show it, as a save would write it.
    filter::Profile shownProfile() const;

    void okBtnClick();
    void saveAsBtnClick();
    void addProfileBtnClick();
    void deleteProfileBtnClick();
    void addRuleBtnClick();
    void editRuleBtnClick();
    void deleteRuleBtnClick();
    void importContactsBtnClick();

    // Escape does nothing: the dialog ends only through OK, which saves.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* button(const char* objectName, const QString& text);
    QWidget* buildFamilyRow();
    QLayout* buildProfileRow();
    void showProfile(const filter::Profile& profile);
    // Loads the profile the choice names; an unreadable file is reported and leaves nothing to edit.
    void loadChosenProfile();
    // Writes the shown profile under name; false, after an error box, when the file cannot be written.
    bool writeProfile(const std::string& name, const filter::Profile& profile);
    // Saves the shown profile before the user leaves it; false when it could not be saved and the user
    // chose to stay.
    bool saveBeforeLeaving();
    // Asks for a profile name; empty when the user gave none or one that cannot name a file.
    std::string askProfileName(const char* titleKey);
    void appendChoice(const std::string& name);
    void setEditable(bool editable);
    RuleListTab* visibleRuleTab() const;
    void updateRuleButtons();

    const storage::TextTable& m_texts;
    core::UserPrompts& m_prompts;
    std::function<std::vector<filter::FilterRule>()> m_importContacts;
    filter::ProfileStore m_store;
    // False while the shown profile could not be read: nothing of it is shown, so nothing may be saved.
    bool m_isShownReadable = true;
    bool m_wasShown = false;

    QTabWidget* m_tabs;
    std::vector<RuleListTab*> m_ruleTabs;
    OtherRulesTab* m_otherTab;
    BlackListTab* m_blackListTab;
    QWidget* m_familyRow;
    QCheckBox* m_senderOn;
    QCheckBox* m_subjectOn;
    QCheckBox* m_headersOn;
    QCheckBox* m_exceptionsOn;
    QCheckBox* m_otherOn;
    QPushButton* m_addRuleBtn;
    QPushButton* m_editRuleBtn;
    QPushButton* m_deleteRuleBtn;
    FilterChoiceBox* m_profileChoice;
    QPushButton* m_saveAsBtn;
    QPushButton* m_addProfileBtn;
    QPushButton* m_deleteProfileBtn;
    QPushButton* m_okBtn;
};

} // namespace vantor::ui
