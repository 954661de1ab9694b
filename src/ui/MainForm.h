#pragma once

#include "base/Clock.h"
#include "core/accounts/AccountStore.h"
#include "core/check/CheckMode.h"
#include "core/program/ExitCleanup.h"
#include "core/program/HelpManual.h"
#include "core/program/HomeDirectory.h"
#include "core/program/ProcessState.h"
#include "core/program/StatusSink.h"
#include "core/program/UserPrompts.h"
#include "core/watch/WatchTimers.h"
#include "mail/net/SocketFactory.h"
#include "platform/Autostart.h"
#include "platform/ConnectionDetector.h"
#include "platform/MailClientAccountSource.h"
#include "platform/ShellOpen.h"
#include "storage/ErrorLog.h"
#include "storage/TextTable.h"

#include <QMainWindow>
#include <QTabWidget>

#include <memory>

namespace vantor::core {
class CheckController;
class Messager;
class Mailbox;
struct SettingValues;
class WatchController;
struct WindowPlacement;
} // namespace vantor::core

namespace vantor::ui {

class EMailManagerPage;
class FilterImportMenu;
class LegendDialog;
class MainMenu;
class MainToolBar;
class MessagerPage;
class DbxReaderPage;
class ResultListFileCommands;
class ResultListMenu;
class StatisticPage;
class StatusPanels;
class StoreCommands;
class TrayController;
class UpdateDialog;
class VantorCenterPage;
class WindowCheckHost;

// The application shell: start-up order, process state, status bar, tray icon, pages, menus and toolbar,
// and the ways the program ends. Every check request arrives at startCheck().
class MainForm : public QMainWindow, public core::StatusSink
{
    Q_OBJECT

public:
    // What the window works with; all of it outlives the window.
    struct Services
    {
        const core::HomeDirectory& home;
        storage::TextTable& texts;
        storage::ErrorLog& errorLog;
        platform::ConnectionDetector& detector;
        core::UserPrompts& prompts;
        platform::ShellOpen& shell;
        core::AccountStore& accounts;
        core::ProcessState& state;
        const base::Clock& clock;
        platform::Autostart& autostart;
        const core::HelpManual& help;
        // Where the account import finds the mail client's accounts.
        const platform::MailClientAccountSource& mailClientAccounts;
        // How the Messager reaches the SMTP servers (tests trust their own CA through it).
        mail::net::SocketFactory socketFactory = mail::net::defaultSocketFactory();
        // The program file beside which the update check finds its information file; the running
        // program's when empty.
        QString programPath = {};
    };

    enum Page
    {
        VantorCenter = 0,
        Statistic = 1,
        EMailManager = 2,
        Messager = 3,
        DbxReader = 4
    };

    explicit MainForm(const Services& services, QWidget* parent = nullptr);
    ~MainForm() override;

    // The creation handler: state, status bar, account boxes, timers, language, splash, placement, tips.
    void formCreate();
    // Raised once the application runs: restores the placement and shows the window unless the program
    // starts minimized; without a tray the window is always shown, or nothing would be left to click.
    void trayIconStartup();

    // Loads the language (English for a name without a file) and re-labels the window.
    void loadLanguage(const std::string& name);
    // The check command: [General] Mode1 chooses the automatic check (1) or the preview (0).
    void checkBtnClick();
    // Every check request ends here; while a check runs, a second request is ignored.
    void startCheck(core::CheckMode mode);
    // Ends the program the given way; Exit and a real close empty EBak when DeleteBackupOnExit is set.
    void endProgram(core::EndReason reason);

    core::ProcessState& state() { return m_state; }
    core::WatchTimers& watchTimers();
    // The checks and the watch the window shows and drives; made after the window, since they report
    // to it, and handed over before the window is shown.
    void attach(core::CheckController& checks, core::WatchController& watch);
    // The EMail Manager's own mailbox, apart from the checks' one.
    void attachManager(core::Mailbox& mailbox);
    core::CheckController& checks() { return *m_checks; }
    core::WatchController& watch() { return *m_watch; }
    WindowCheckHost& checkHost() { return *m_checkHost; }
    ResultListMenu& listMenu() { return *m_listMenu; }
    FilterImportMenu& importMenu() { return *m_importMenu; }
    StatisticPage& statistic() { return *m_statistic; }
    const core::HomeDirectory& home() const { return m_home; }
    platform::ShellOpen& shell() { return m_shell; }
    QTabWidget& pageControl() { return *m_pageControl; }
    VantorCenterPage& vantorCenter() { return *m_vantorCenter; }
    EMailManagerPage& eMailManager() { return *m_eMailManager; }
    MessagerPage& messager() { return *m_messager; }
    DbxReaderPage& dbxReader() { return *m_dbxReader; }
    MainToolBar& toolBar() { return *m_toolBar; }
    MainMenu& mainMenu() { return *m_mainMenu; }
    TrayController& tray() { return *m_tray; }
    StatusPanels& statusPanels() { return *m_statusPanels; }

    void setAccountProgress(int current, int total) override;
    void setMessageProgress(int current, int count) override;
    void resetProgress() override;
    void setStatusText(const QString& text) override;
    void setTrayState(core::TrayState state) override;

    // The account manager, modally; the account boxes are listed again after it.
    void openAccountManager();
    // The profile editor, modally.
    void filterBtnClick();
    // The account import wizard, modally over parent; the account boxes are listed again after it.
    void importAccounts(QWidget* parent);
    // The "Last Report" window with the lines of the last check, modally.
    void showLastReport();
    // The settings dialog, modally, on the first page of the window; what it saved applies at once.
    void settingBtnClick();
    // The update window, without blocking; made at its first showing and kept.
    void showUpdate();

signals:
    // A check was asked for and no check is running.
    void checkRequested(core::CheckMode mode);
    // The program is about to end; EBak has been emptied already where the reason asks for it.
    void ending(core::EndReason reason);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildPages();
    void connectCommands();
    void connectCheckCommands();
    void connectListFileCommands();
    void relabel();
    void listAccounts();
    void applyStartupSettings();
    void applyPlacement(const core::WindowPlacement& placement);
    void restorePlacement();
    void savePlacement();
    void saveColumnWidths();
    void showConnection(bool isOnline);
    void onConnectionChanged(bool isOnline);
    void runMailClient();
    void showTips();
    void showAbout();
    void showWindow();
    void minimizeToTray();
    void open(const QUrl& url);
    void applySettings(const core::SettingValues& values);

    const core::HomeDirectory& m_home;
    storage::TextTable& m_texts;
    platform::ConnectionDetector& m_detector;
    core::UserPrompts& m_prompts;
    platform::ShellOpen& m_shell;
    core::AccountStore& m_accounts;
    core::ProcessState& m_state;
    platform::Autostart& m_autostart;
    const platform::MailClientAccountSource& m_mailClientAccounts;
    QString m_programPath;
    QString m_aboutVersion;
    bool m_isEnding = false;

    MainMenu* m_mainMenu;
    MainToolBar* m_toolBar;
    StatusPanels* m_statusPanels;
    QTabWidget* m_pageControl;
    VantorCenterPage* m_vantorCenter = nullptr;
    EMailManagerPage* m_eMailManager = nullptr;
    MessagerPage* m_messager = nullptr;
    DbxReaderPage* m_dbxReader = nullptr;
    TrayController* m_tray;
    LegendDialog* m_legend = nullptr;
    UpdateDialog* m_update = nullptr;
    StatisticPage* m_statistic = nullptr;
    storage::ErrorLog& m_errorLog;
    const base::Clock& m_clock;
    const core::HelpManual& m_help;
    std::unique_ptr<WindowCheckHost> m_checkHost;
    core::CheckController* m_checks = nullptr;
    core::WatchController* m_watch = nullptr;
    ResultListMenu* m_listMenu = nullptr;
    FilterImportMenu* m_importMenu = nullptr;
    std::unique_ptr<ResultListFileCommands> m_listFiles;
    std::unique_ptr<core::Messager> m_sender;
    std::unique_ptr<StoreCommands> m_storeCommands;
};

} // namespace vantor::ui
