#pragma once

#include "core/program/HomeDirectory.h"
#include "core/program/ProcessState.h"
#include "core/program/SettingValues.h"
#include "core/program/UserPrompts.h"
#include "platform/Autostart.h"
#include "storage/TextTable.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>

namespace vantor::ui {

class SettingPages;

// "Setting": the preferences of setting.ini on seven pages chosen from a list of icons. It opens with every
// control read from the file and ends only through OK, which writes the start-up entry and every key.
// Create it for one opening, exec() it, and apply values() to the window when isSaved().
class SettingForm : public QDialog
{
    Q_OBJECT

public:
    struct Services
    {
        const core::HomeDirectory& home;
        const storage::TextTable& texts;
        core::UserPrompts& prompts;
        platform::Autostart& autostart;
        core::ProcessState& state;
    };

    explicit SettingForm(const Services& services, QWidget* parent = nullptr);
    ~SettingForm() override;

    // Keys of setting.ini that could not be read when the dialog opened (their controls show the default).
    const QStringList& readProblems() const { return m_readProblems; }
    // Whether OK wrote setting.ini; only then does the rest of the program take the new values.
    bool isSaved() const { return m_isSaved; }
    core::SettingValues values() const;

    QListWidget& settingList() { return *m_settingList; }
    QLabel& titleLabel() { return *m_titleLabel; }
    QStackedWidget& pageStack() { return *m_pageStack; }
    QPushButton& okBtn() { return *m_okBtn; }

    // Writes the start-up entry and every key, reports what failed, and closes the dialog.
    void okBtnClick();
    // Escape and the window manager cannot close the dialog: it ends only through OK.
    void reject() override;

private:
    void buildList();
    void onPageChosen(int row);

    const core::HomeDirectory& m_home;
    const storage::TextTable& m_texts;
    core::UserPrompts& m_prompts;
    platform::Autostart& m_autostart;
    core::ProcessState& m_state;
    QStringList m_readProblems;
    bool m_isSaved = false;
    QListWidget* m_settingList;
    QLabel* m_titleLabel;
    QStackedWidget* m_pageStack;
    SettingPages* m_pages;
    QPushButton* m_okBtn;
};

} // namespace vantor::ui
