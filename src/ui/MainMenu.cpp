#include "ui/MainMenu.h"

#include "core/program/DisplayText.h"

namespace vantor::ui {

struct MainMenu::Entry
{
    Item item;
    const char* objectName;
    const char* key;
    bool isEnabled;
};

MainMenu::MainMenu(QMenuBar& bar, const storage::TextTable& texts)
    : QObject(&bar)
    , m_texts(texts)
{
    QMenu* general = registerMenu(bar.addMenu(QString()), "MenuGeneral", "001");
    addItems(*general, {{Item::Accounts, "Accounts1", "004", false},
                        {Item::Filters, "Filters1", "005", true},
                        {Item::Setting, "Setting1", "006", true}});
    general->addSeparator();
    QMenu* viewList = registerMenu(general->addMenu(QString()), "MenuViewList", "023");
    addItems(*viewList, {{Item::ViewFilteredList, "ViewFilteredList", "008", false},
                         {Item::ViewDeletedList, "ViewDeletedList", "009", false}});
    QMenu* saveList = registerMenu(general->addMenu(QString()), "MenuSaveList", "007");
    addItems(*saveList, {{Item::SaveFilteredList, "SaveFilteredList", "008", false},
                         {Item::SaveDeletedList, "SaveDeletedList", "009", false}});
    general->addSeparator();
    addItems(*general, {{Item::Exit, "Exit1", "010", true}});

    QMenu* view = registerMenu(bar.addMenu(QString()), "MenuView", "002");
    addItems(*view, {{Item::LastReport, "LastReport1", "011", false},
                     {Item::EMailBackup, "EMailBackup1", "012", true},
                     {Item::DeleteDatabase, "DeleteDatabase1", "025", false}});

    QMenu* tools = registerMenu(bar.addMenu(QString()), "MenuTools", "026");
    addItems(*tools, {{Item::BlackListEditor, "BlackListEditor1", "027", true}});
    QMenu* outlook = registerMenu(tools->addMenu(QString()), "MenuOutlookExpress", "004", "Extra");
    addItems(*outlook, {{Item::ImportAccounts, "ImportAccounts1", "028", true},
                        {Item::BackupEMails, "BackupEMails1", "029", true},
                        {Item::RestoreEMails, "RestoreEMails1", "030", true}});

    QMenu* info = registerMenu(bar.addMenu(QString()), "MenuInfo", "003");
    addItems(*info, {{Item::Help, "Help1", "013", true},
                     {Item::Credits, "Credits1", "020", true},
                     {Item::Legend, "Legend1", "031", true},
                     {Item::Tips, "Tips1", "032", true},
                     {Item::CheckUpdate, "CheckUpdate1", "024", true},
                     {Item::Homepage, "Homepage1", "014", true}});
    QMenu* mails = registerMenu(info->addMenu(QString()), "MenuEMails", "033");
    addItems(*mails, {{Item::SendEMail, "SendEMail1", "034", true},
                      {Item::SendBugReport, "SendBugReport1", "035", true},
                      {Item::SendTranslateRequest, "SendTranslateRequest1", "036", true},
                      {Item::SendSpammersList, "SendSpammersList1", "015", true}});
    info->addSeparator();
    addItems(*info, {{Item::About, "About1", "016", true}});
    relabel();
}

void MainMenu::relabel()
{
    for (const Caption& caption : m_captions)
        caption.action->setText(core::uiText(m_texts, caption.section, caption.key));
}

QMenu* MainMenu::registerMenu(QMenu* menu, const char* objectName, const char* key, const char* section)
{
    menu->setObjectName(QString::fromLatin1(objectName));
    m_captions.push_back({menu->menuAction(), section, key});
    return menu;
}

void MainMenu::addItems(QMenu& menu, std::initializer_list<Entry> entries)
{
    for (const Entry& entry : entries) {
        QAction* action = menu.addAction(QString());
        action->setObjectName(QString::fromLatin1(entry.objectName));
        action->setEnabled(entry.isEnabled);
        m_actions.emplace(entry.item, action);
        m_captions.push_back({action, "Menu", entry.key});
    }
}

} // namespace vantor::ui
