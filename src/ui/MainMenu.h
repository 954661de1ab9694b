#pragma once

#include "storage/TextTable.h"

#include <QAction>
#include <QMenuBar>

#include <map>
#include <vector>

namespace vantor::ui {

// The main menu: General, View, Tools and Info with every command of the program. Commands whose windows are
// not part of this build are present and disabled.
class MainMenu : public QObject
{
    Q_OBJECT

public:
    enum class Item
    {
        Accounts,
        Filters,
        Setting,
        ViewFilteredList,
        ViewDeletedList,
        SaveFilteredList,
        SaveDeletedList,
        Exit,
        LastReport,
        EMailBackup,
        DeleteDatabase,
        BlackListEditor,
        ImportAccounts,
        BackupEMails,
        RestoreEMails,
        Help,
        Credits,
        Legend,
        Tips,
        CheckUpdate,
        Homepage,
        SendEMail,
        SendBugReport,
        SendTranslateRequest,
        SendSpammersList,
        About
    };

    MainMenu(QMenuBar& bar, const storage::TextTable& texts);

    QAction& action(Item item) { return *m_actions.at(item); }
    // Captions from the current texts.
    void relabel();

private:
    struct Entry;

    QMenu* registerMenu(QMenu* menu, const char* objectName, const char* key, const char* section = "Menu");
    void addItems(QMenu& menu, std::initializer_list<Entry> entries);

    const storage::TextTable& m_texts;
    std::map<Item, QAction*> m_actions;
    // Every captioned action (menus included, through their menuAction) with its Menu key; an empty key keeps
    // the caption it was made with.
    // Every captioned action with the section and key of its text.
    struct Caption
    {
        QAction* action;
        const char* section;
        const char* key;
    };
    std::vector<Caption> m_captions;
};

} // namespace vantor::ui
