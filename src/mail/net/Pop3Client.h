#pragma once

#include "mail/net/ConnectFailure.h"
#include "mail/net/ConversationListener.h"
#include "mail/net/SecurityMode.h"
#include "mail/net/SocketConversation.h"
#include "mail/proto/PipelinedReplies.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantor::mail::mime {
class MailMessage;
}

namespace vantor::mail::net {

// The POP3 client (RFC 1939) through which the program reaches every mailbox: one connection, login
// with USER and PASS, the listing with sizes, header and message fetches into a bound message object,
// deletions and the end of the session. Every operation returns when its reply has arrived, failed or
// timed out, while the event loop keeps running; a failure is a false result, never an exception.
// A clean "-ERR" refuses one command and the session goes on. Any other failed exchange (time-out, cut,
// oversized or unreadable reply) aborts the session: closed without QUIT, so the server keeps every
// message this session marked for deletion, and connected() is false from then on.
// Commands sent: USER, PASS, LIST, RETR, TOP, DELE, QUIT, and STLS for SecurityMode::STARTTLS; with
// askExtensions also CAPA after the greeting and UIDL after LIST.
class Pop3Client : private ConversationListener
{
public:
    // One command of a pipelined window and, once the window is read, its reply.
    struct PipelinedCommand
    {
        std::string line; // the command with its CR LF
        bool multiLine = false;
        std::size_t maxBytes = 0;
        bool accepted = false;
        // Accepted with many lines: the text, as lastMessage() holds it; otherwise the status line.
        std::string text;
    };

    explicit Pop3Client(SocketFactory factory = defaultSocketFactory());
    ~Pop3Client() override;
    Pop3Client(const Pop3Client&) = delete;
    Pop3Client& operator=(const Pop3Client&) = delete;

    const std::string& userName() const { return m_userName; }
    void setUserName(std::string name) { m_userName = std::move(name); }
    const std::string& password() const { return m_password; }
    void setPassword(std::string password) { m_password = std::move(password); }
    // Server port, 110 by default.
    int port() const { return m_port; }
    void setPort(int port) { m_port = port; }
    // Server name or dotted numeric address.
    const std::string& host() const { return m_host; }
    void setHost(std::string host) { m_host = std::move(host); }
    // Receives fetched headers and messages; not owned, may be null.
    mime::MailMessage* mailMessage() const { return m_mailMessage; }
    void setMailMessage(mime::MailMessage* message) { m_mailMessage = message; }
    // Seconds without data after which a wait fails (60 by default).
    int timeOut() const { return m_conversation.timeOut(); }
    void setTimeOut(int seconds) { m_conversation.setTimeOut(seconds); }
    // Progress while a message or header arrives: (listed size, bytes so far).
    void setOnProgress(ProgressHandler handler) { m_conversation.setOnProgress(std::move(handler)); }
    // Delete every message right after it was retrieved whole.
    bool deleteOnRetrieve() const { return m_deleteOnRetrieve; }
    void setDeleteOnRetrieve(bool on) { m_deleteOnRetrieve = on; }
    // Plain, implicit TLS (POP3S) or STLS after the greeting; the certificate is always verified.
    SecurityMode security() const { return m_security; }
    void setSecurity(SecurityMode mode) { m_security = mode; }

    // Ask CAPA after the greeting (and STLS) and UIDL after LIST; off by default.
    bool askExtensions() const { return m_askExtensions; }
    void setAskExtensions(bool on) { m_askExtensions = on; }
    // The server listed PIPELINING in its CAPA answer this session.
    bool canPipeline() const { return m_canPipeline; }
    // Unique ids by message number from this session's UIDL answer; empty when the server gave none that
    // could be read or repeated an id (then messages cannot be told apart by id).
    const std::vector<std::string>& uniqueIds() const { return m_uniqueIds; }

    // Number of the last listed message; 0 for an empty mailbox; -1 when unknown.
    int messageCount() const { return m_messageCount; }
    // Size in bytes by message number; entry 0 is 0; empty when unknown or the mailbox is empty.
    const std::vector<std::int32_t>& messageSizes() const { return m_messageSizes; }
    // The greeting (and with STARTTLS the TLS handshake) was accepted.
    bool connected() const { return m_connected; }
    // USER and PASS were accepted.
    bool loggedIn() const { return m_loggedIn; }
    // Text of the last message or header fetched, without the status line and the final "." line.
    const std::string& lastMessage() const { return m_lastMessage; }
    // Why the last wait failed (diagnostics only).
    TalkError lastError() const { return m_conversation.lastError(); }
    // The server's refusal ("-ERR ...") or what went wrong on the connection, for the error log.
    std::string failureText() const;
    // Why the last connect() failed; None after a successful one.
    ConnectFailure connectFailure() const { return m_connectFailure; }

    // Opens the connection and waits for the greeting. Needs a host and no open connection. After a
    // failure the socket may still be open: follow it with abort().
    bool connect();
    // USER, PASS, then LIST for the count and sizes. False when a step is refused, the listing cannot
    // be read, or a name or password holds a line break (then nothing is sent).
    bool login();
    // RETR n into lastMessage() and, when bound, the message object (parsed whole). False for a number
    // that is no index of messageSizes().
    bool retrieveMessage(int number);
    // TOP n lines into lastMessage() and, when bound, the message's raw header lines.
    bool retrieveHeader(int number, int lines);
    // DELE n: the server removes the message when the session ends with quit().
    bool deleteMessage(int number);
    // Commands of a pipelined window (RFC 2449), for the server that can take them.
    PipelinedCommand headerCommand(int number, int lines) const;
    PipelinedCommand retrieveCommand(int number) const;
    PipelinedCommand deleteCommand(int number) const;
    // Writes the commands back to back and reads their replies strictly in order into each command. True
    // when every reply arrived and could be matched (each may still be a refusal: see accepted); any other
    // outcome aborts the session like a failed lockstep exchange. Needs canPipeline().
    bool pipeline(std::vector<PipelinedCommand>& window);
    // QUIT, then closes: the server carries out the deletions. When refused, nothing changes.
    bool quit();
    // Closes at once: deletions are forgotten by the server.
    void abort();

private:
    void replyComplete(int step, bool& success, std::string_view reply) override;
    void dataReceived(int step, bool& success, std::string_view piece, bool startsReply) override;
    void talkError(int step, TalkError kind) override;
    void talkDisconnected() override;

    bool isReady() const;
    bool command(const std::string& verb, const std::string& argument, const ReplyEnd& end, int step,
                 const ReplyLimit& limit = {});
    // The outcome of the wait just ended; aborts the session unless it was accepted or cleanly refused.
    bool judged(const ReplyEnd& end);
    void breakSession(std::string reason);
    // Why the wait just ended failed, when the server did not cleanly refuse.
    std::string faultText() const;
    bool startTls();
    bool list();
    void askCapabilities();
    bool askUniqueIds();
    bool fetch(const std::string& verb, const std::string& argument, int number, std::size_t maxBytes);
    void forgetMailbox();

    SocketConversation m_conversation;
    std::string m_userName;
    std::string m_password;
    std::string m_host;
    std::string m_lastMessage;
    // The refusal line of the last command, or why its session was aborted.
    std::string m_refusal;
    std::vector<std::int32_t> m_messageSizes;
    std::vector<std::string> m_uniqueIds;
    proto::PipelinedReplies m_pipelined;
    mime::MailMessage* m_mailMessage = nullptr;
    int m_port = 110;
    int m_messageCount = -1;
    SecurityMode m_security = SecurityMode::None;
    ConnectFailure m_connectFailure = ConnectFailure::None;
    bool m_deleteOnRetrieve = false;
    bool m_connected = false;
    bool m_loggedIn = false;
    bool m_isCleanRefusal = false;
    bool m_askExtensions = false;
    bool m_canPipeline = false;
};

} // namespace vantor::mail::net
