#pragma once

#include "core/accounts/AccountLoader.h"
#include "mail/net/ConnectFailure.h"
#include "records/MessageSource.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vantor::mail::mime {
class MailMessage;
}

namespace vantor::core {

// What the check cycles and the new-mail watch need of a POP3 mailbox: one session at a time, replies
// matched to their commands strictly in order, the fetched header always in message(). Pop3Mailbox talks to a
// real server; tests script one. A command that fails leaves the session open only when the server cleanly
// refused it; any other failure ends the session, and nothing it was asked to delete is deleted.
class Mailbox : public records::MessageSource
{
public:
    // Whether message n, whose header is given, will be asked for whole (a backup) when its turn comes.
    using RetrievePrediction = std::function<bool(int messageNumber, const mail::mime::MailMessage& header)>;

    [[nodiscard]] virtual mail::mime::MailMessage& message() = 0;

    // Host, port, user name, password and protection of the next connection.
    virtual void setLogin(const Pop3Login& login) = 0;
    // Opens the connection and reads the greeting.
    [[nodiscard]] virtual bool connect() = 0;
    // USER, PASS and LIST.
    [[nodiscard]] virtual bool login() = 0;
    // The listed number of messages; 0 when unknown.
    [[nodiscard]] virtual int messageCount() const = 0;
    // The listed size of message n in bytes; 0 when not listed.
    [[nodiscard]] virtual std::int64_t messageSize(int messageNumber) const = 0;
    // The server's unique id of message n (UIDL) this session; empty when it gave none.
    [[nodiscard]] virtual std::string uniqueId(int /*messageNumber*/) const { return {}; }
    // TOP n 0 into message().
    [[nodiscard]] virtual bool fetchHeader(int messageNumber) = 0;
    [[nodiscard]] virtual bool deleteMessage(int messageNumber) = 0;
    // QUIT: the server carries out the deletions.
    [[nodiscard]] virtual bool quit() = 0;
    // Closes without QUIT: the server forgets the deletions.
    virtual void abort() = 0;
    [[nodiscard]] virtual bool isSessionOpen() const = 0;
    // The server's refusal or the fault that ended the session, for the error log.
    [[nodiscard]] virtual std::string failureText() const = 0;
    // A mailbox that pipelines fetches the messages so predicted ahead, a window at a time; a message
    // asked for but not predicted is fetched on its own, one predicted but never asked for costs only
    // bandwidth. Empty: none.
    virtual void setRetrievePrediction(RetrievePrediction /*prediction*/) {}
    // Why the last connect() failed: a refused STLS or certificate is told apart from a closed port.
    [[nodiscard]] virtual mail::net::ConnectFailure connectFailure() const
    {
        return mail::net::ConnectFailure::Connection;
    }
    // The program is ending: the running session is aborted at once and no command goes out any more.
    virtual void shutDown() = 0;
    [[nodiscard]] virtual bool isShutDown() const = 0;
};

} // namespace vantor::core
