#pragma once

#include "base/Clock.h"
#include "core/accounts/AccountStore.h"
#include "core/check/CheckController.h"
#include "core/check/CheckServices.h"
#include "core/check/Pop3Mailbox.h"
#include "core/program/HelpManual.h"
#include "core/program/ProcessState.h"
#include "core/watch/WatchController.h"
#include "mail/net/SocketFactory.h"
#include "platform/Autostart.h"
#include "platform/SystemMailClientAccounts.h"
#include "ui/MainForm.h"

#include <QCoreApplication>

#include <memory>

namespace vantor::app {

// The program's objects, made and wired in one place: the process state, the account store, the POP3
// mailbox, the desktop's autostart, the main window, and the checks and the watch that report to that window.
class Session
{
public:
    // What the program is given from outside; all of it outlives the session.
    struct Services
    {
        const core::HomeDirectory& home;
        storage::TextTable& texts;
        storage::ErrorLog& errorLog;
        platform::ConnectionDetector& detector;
        core::UserPrompts& prompts;
        platform::ShellOpen& shell;
        // How the checks reach the POP3 servers (tests trust their own CA through it).
        mail::net::SocketFactory socketFactory = mail::net::defaultSocketFactory();
        // The system's keyring for the account passwords; none: every password stays in account.vta.
        platform::PasswordVault* vault = nullptr;
        const base::Clock& clock = base::systemClock();
        // Where the shipped files (the manual) are looked for; tests point it at the built program.
        core::SharedFiles sharedFiles = core::SharedFiles(QCoreApplication::applicationDirPath());
        // The mail client's accounts for the import; the system's when none is given.
        const platform::MailClientAccountSource* mailClientAccounts = nullptr;
        // The program file the update check looks beside; the running program's when empty.
        QString programPath = {};
    };

    explicit Session(const Services& services);

    ui::MainForm& window() { return m_window; }

private:
    core::ProcessState m_state;
    core::AccountStore m_accounts;
    core::Pop3Mailbox m_mailbox;
    // The EMail Manager's: it never shares a session with a check.
    core::Pop3Mailbox m_managerMailbox;
    std::unique_ptr<platform::Autostart> m_autostart;
    platform::SystemMailClientAccounts m_systemMailClientAccounts;
    core::SharedFiles m_sharedFiles;
    core::HelpManual m_help;
    ui::MainForm m_window;
    core::CheckServices m_checkServices;
    core::CheckController m_checks;
    core::WatchController m_watch;
};

} // namespace vantor::app
