#pragma once

#include "core/check/HeaderCache.h"
#include "core/check/Mailbox.h"
#include "mail/mime/MailMessage.h"
#include "mail/net/Pop3Client.h"
#include "mail/net/SocketFactory.h"

#include <filesystem>
#include <map>
#include <vector>

namespace vantor::core {

// The mailbox of a real POP3 server, shared by the checks and the watch ("Pop3" with its message object
// "MailMessage"). connect() also fails when the account names a protection this program does not know: it
// never falls back to plain text.
//
// With speed-ups on, it asks the server for CAPA and UIDL. A server that can pipeline gets the header
// fetches in windows written back to back (with the whole messages a backup will want, as predicted by the
// check, in a window after them), and the DELEs held back and sent with the next window, the next
// RETR or before QUIT; replies are matched strictly in order, and any failure, a refused DELE included,
// aborts the session. Headers are kept by unique id (HeaderCache) unless [General] HeaderCache is off.
// Without those capabilities the session is the plain lockstep.
class Pop3Mailbox : public Mailbox
{
public:
    explicit Pop3Mailbox(mail::net::SocketFactory factory = mail::net::defaultSocketFactory());

    // Seconds a reply may keep the check waiting (60 in the program; tests take less).
    void setTimeOut(int seconds) { m_client.setTimeOut(seconds); }
    // Turns on CAPA, pipelining and UIDL; the header cache lives under homeDir/Cache/ (none when empty).
    void enableSpeedUps(std::filesystem::path homeDir);

    mail::mime::MailMessage& message() override { return m_message; }
    void setLogin(const Pop3Login& login) override;
    bool connect() override;
    bool login() override;
    int messageCount() const override;
    std::int64_t messageSize(int messageNumber) const override;
    std::string uniqueId(int messageNumber) const override;
    bool fetchHeader(int messageNumber) override;
    bool deleteMessage(int messageNumber) override;
    bool quit() override;
    void abort() override;
    bool isSessionOpen() const override { return m_client.connected(); }
    std::string failureText() const override;
    void setRetrievePrediction(RetrievePrediction prediction) override
    {
        m_prediction = std::move(prediction);
    }
    mail::net::ConnectFailure connectFailure() const override;
    void shutDown() override;
    bool isShutDown() const override { return m_isShutDown; }

    bool retrieveHeader(int messageNumber, mail::mime::MailMessage& message) override;
    bool retrieveMessage(int messageNumber, mail::mime::MailMessage& message) override;
    std::string host() const override;

private:
    // A header fetched ahead of its turn, or the server's refusal of it.
    struct Fetched
    {
        bool accepted = false;
        std::string text;
    };
    using Window = std::vector<mail::net::Pop3Client::PipelinedCommand>;

    bool isPipelining() const { return m_isSpeedUp && m_client.canPipeline(); }
    void forgetSession();
    const std::string* knownHeader(int messageNumber) const;
    void keepHeader(int messageNumber, const std::string& header);
    // Header fetches for messageNumber and the unknown ones after it, with the held DELEs in front.
    bool fetchAhead(int messageNumber);
    // Sends the held DELEs in front of window; false (session aborted) when any went wrong or was refused.
    bool runWindow(Window& window);
    // RETR for the predicted messages among those whose headers just arrived, within one window's bytes.
    bool retrieveAhead(const std::vector<int>& numbers);
    bool flushDeletions();
    void useCache();

    mail::mime::MailMessage m_message;
    mail::net::Pop3Client m_client;
    std::filesystem::path m_homeDir;
    HeaderCache m_cache;
    std::map<int, Fetched> m_ahead;
    std::map<int, Fetched> m_wholeAhead;
    RetrievePrediction m_prediction;
    std::vector<int> m_heldDeletions;
    std::string m_refusal;
    std::string m_lastHeader;
    int m_lastHeaderNumber = 0;
    int m_port = 0;
    bool m_isSecurityKnown = true;
    bool m_isShutDown = false;
    bool m_isSpeedUp = false;
    bool m_isCacheOn = false;
};

} // namespace vantor::core
