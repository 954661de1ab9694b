#include "core/check/Pop3Mailbox.h"

#include "mail/net/SecurityMode.h"

namespace vantor::core {

Pop3Mailbox::Pop3Mailbox(mail::net::SocketFactory factory)
    : m_client(std::move(factory))
{
    m_client.setMailMessage(&m_message);
}

void Pop3Mailbox::setLogin(const Pop3Login& login)
{
    m_client.setHost(login.host);
    m_client.setPort(login.port);
    m_client.setUserName(login.userName);
    m_client.setPassword(login.password);
    const std::optional<mail::net::SecurityMode> mode = mail::net::securityModeFromText(login.security);
    m_isSecurityKnown = mode.has_value();
    m_client.setSecurity(mode.value_or(mail::net::SecurityMode::None));
}

bool Pop3Mailbox::connect()
{
    return !m_isShutDown && m_isSecurityKnown && m_client.connect();
}

mail::net::ConnectFailure Pop3Mailbox::connectFailure() const
{
    return m_isSecurityKnown ? m_client.connectFailure() : mail::net::ConnectFailure::Connection;
}

bool Pop3Mailbox::login()
{
    return m_client.login();
}

int Pop3Mailbox::messageCount() const
{
    return std::max(m_client.messageCount(), 0);
}

std::int64_t Pop3Mailbox::messageSize(int messageNumber) const
{
    const auto& sizes = m_client.messageSizes();
    if (messageNumber < 0 || static_cast<std::size_t>(messageNumber) >= sizes.size())
        return 0;
    return sizes[static_cast<std::size_t>(messageNumber)];
}

bool Pop3Mailbox::fetchHeader(int messageNumber)
{
    return retrieveHeader(messageNumber, m_message);
}

bool Pop3Mailbox::deleteMessage(int messageNumber)
{
    return m_client.deleteMessage(messageNumber);
}

bool Pop3Mailbox::quit()
{
    return m_client.quit();
}

void Pop3Mailbox::abort()
{
    m_client.abort();
}

void Pop3Mailbox::shutDown()
{
    m_isShutDown = true;
    m_client.abort();
}

bool Pop3Mailbox::retrieveHeader(int messageNumber, mail::mime::MailMessage& message)
{
    m_client.setMailMessage(&message);
    const bool fetched = m_client.retrieveHeader(messageNumber, 0);
    m_client.setMailMessage(&m_message);
    return fetched;
}

bool Pop3Mailbox::retrieveMessage(int messageNumber, mail::mime::MailMessage& message)
{
    m_client.setMailMessage(&message);
    const bool fetched = m_client.retrieveMessage(messageNumber);
    m_client.setMailMessage(&m_message);
    return fetched;
}

std::string Pop3Mailbox::host() const
{
    return m_client.host();
}

} // namespace vantor::core
