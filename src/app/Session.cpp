#include "app/Session.h"

#include "platform/SystemAutostart.h"
#include "ui/WindowCheckHost.h"

#include <QDir>

namespace vantor::app {

Session::Session(const Services& services)
    : m_accounts(services.home, services.errorLog, services.vault)
    , m_mailbox(services.socketFactory)
    , m_managerMailbox(services.socketFactory)
    , m_autostart(platform::makeSystemAutostart())
    , m_systemMailClientAccounts(QDir::homePath())
    , m_sharedFiles(services.sharedFiles)
    , m_help(m_sharedFiles, services.texts, services.prompts, services.shell)
    , m_window({services.home, services.texts, services.errorLog, services.detector, services.prompts,
                services.shell, m_accounts, m_state, services.clock, *m_autostart, m_help,
                services.mailClientAccounts ? *services.mailClientAccounts : m_systemMailClientAccounts,
                services.socketFactory, services.programPath})
    , m_checkServices{services.home,     services.texts, services.errorLog,    services.prompts,
                      services.detector, m_window,       m_window.checkHost(), m_state,
                      m_mailbox,         services.clock}
    , m_checks(m_checkServices)
    , m_watch(m_checks, m_window.checkHost())
{
    m_mailbox.enableSpeedUps(services.home.nativeDir());
    m_checkServices.vault = services.vault;
    m_window.attach(m_checks, m_watch);
    m_window.attachManager(m_managerMailbox);
}

} // namespace vantor::app
