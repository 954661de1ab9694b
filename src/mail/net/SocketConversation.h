#pragma once

#include "mail/net/ConversationListener.h"
#include "mail/net/SocketFactory.h"
#include "mail/net/TalkError.h"
#include "mail/proto/ReplyScanner.h"

#include <QAbstractSocket>
#include <QList>
#include <QObject>
#include <QSslError>
#include <QSslSocket>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QEventLoop;

namespace vantor::mail::net {

// Progress of a transfer: (total bytes, bytes so far).
using ProgressHandler = std::function<void(std::int64_t total, std::int64_t current)>;

// How the reply to a command ends.
struct ReplyEnd
{
    proto::ReplyScanner::Rule rule;
    std::string suffix;

    static ReplyEnd oneLine() { return {proto::ReplyScanner::Rule::Suffix, "\r\n"}; }
    static ReplyEnd multiLine() { return {proto::ReplyScanner::Rule::Suffix, "\r\n.\r\n"}; }
    static ReplyEnd smtpReply() { return {proto::ReplyScanner::Rule::SmtpFinalLine, {}}; }
    static ReplyEnd firstPiece() { return {proto::ReplyScanner::Rule::FirstPiece, {}}; }
    // Several replies to pipelined commands: the listener tells their end with markReplyComplete().
    static ReplyEnd byListener() { return {proto::ReplyScanner::Rule::Listener, {}}; }
};

// What one wait may cost beyond the inactivity limit: a reply larger than maxBytes, or one not whole
// within totalSeconds of the command going out, ends the wait as a failure. A server that drips a byte
// just inside the inactivity limit, or talks without end, cannot hold the program.
struct ReplyLimit
{
    std::size_t maxBytes = 0; // 0: no size limit
    int totalSeconds = 0;     // 0: the inactivity limit, timeOut()
};

// One command-and-reply conversation over one client connection. It sends a command, gathers every byte
// that arrives into the reply buffer until the reply is complete, and meanwhile keeps the event loop
// turning (a nested loop), so the window stays live. An inactivity timer ends the wait after timeOut()
// seconds without data. It knows nothing of POP3 or SMTP: the listener judges each reply.
//
// Order of use: prepareWait + open + waitReply for a greeting; then talk + waitReply per command, and
// success() tells the listener's verdict. The connection is opened and closed by the owner only.
class SocketConversation : public QObject
{
    Q_OBJECT

public:
    SocketConversation(ConversationListener& listener, SocketFactory factory = defaultSocketFactory());
    ~SocketConversation() override;

    // Inactivity limit in seconds (default 60).
    int timeOut() const { return m_timeOut; }
    void setTimeOut(int seconds) { m_timeOut = seconds; }
    // Everything received since the wait was armed.
    const std::string& replyBuffer() const { return m_buffer; }
    // The reply's first line with its CR LF once it has arrived, else empty.
    std::string_view statusLine() const { return m_scanner.statusLine(m_buffer); }
    // Size announced for the coming reply, for progress only; 0 = unknown. Cleared when a reply ends.
    void setExpectedSize(std::int64_t bytes) { m_expectedSize = bytes; }
    // When above 0 and the next command is longer, it is sent in packets of this size with progress
    // reports and the event loop turning between packets; back to 0 after every send.
    void setPacketSize(std::int64_t bytes) { m_packetSize = bytes; }
    void setOnProgress(ProgressHandler handler) { m_onProgress = std::move(handler); }

    TalkError lastError() const { return m_lastError; }
    // The socket's own words for the last error, for diagnostics.
    QString lastErrorText() const { return m_lastErrorText; }
    // The last handshake failed because the server's certificate did not verify and nobody trusted it;
    // certificateErrors() says why.
    bool isCertificateRefused() const { return m_isCertificateRefused; }
    const QList<QSslError>& certificateErrors() const { return m_certificateErrors; }
    int stepCode() const { return m_stepCode; }
    bool isWaiting() const { return m_waiting; }
    bool success() const { return m_success; }

    // Opens a connection without blocking; the outcome arrives while waiting. host is a name or a
    // dotted address (an address that does not parse fails at once); implicitTls starts TLS at once.
    void open(const std::string& host, int port, bool implicitTls);
    // Closes at once (the disconnection is reported to the listener).
    void close();
    // From open until closed.
    bool isActive() const;
    // This machine's name, and the local address of the connection ("127.0.0.1").
    std::string localHostName() const;
    std::string localAddress() const;

    // Arms the wait for a greeting, before open(); the reply ends as end says.
    void prepareWait(int step, const ReplyEnd& end);
    // Sends the command (which carries its own line end) and arms the wait for its reply; the deadline
    // starts when the command is out.
    void talk(std::string_view command, const ReplyEnd& end, int step, const ReplyLimit& limit = {});
    // Starts TLS on the open connection and arms the wait for the handshake; success() when it passed.
    void startEncryption(int step);
    // Runs the event loop until the reply is complete, a socket error, a time-out, an oversized reply or
    // the disconnection. A loop ended from outside (the application quitting) fails the wait.
    void waitReply();
    // Ends the wait with no success; for the listener when a piece already shows a failure.
    void cancelWait();
    // For a wait armed with ReplyEnd::byListener(), from dataReceived(): the bytes so far are the whole
    // answer, and replyComplete() follows.
    void markReplyComplete() { m_scanner.markComplete(); }

private:
    void arm(int step, const ReplyLimit& limit);
    void startDeadline();
    void replaceSocket();
    void send(std::string_view command);
    void sendInPackets(std::string_view command);
    void sendChunk(std::string_view chunk);
    bool canSend() const;
    void finishWait();
    void fail(TalkError kind, const QString& text);

    void onReadyRead();
    void onDisconnected();
    void onSocketError(QAbstractSocket::SocketError error);
    void onEncrypted();
    void onSslErrors(const QList<QSslError>& errors);
    void onTimeOut();
    void onDeadline();

    ConversationListener& m_listener;
    SocketFactory m_factory;
    std::unique_ptr<QSslSocket> m_socket;
    QTimer m_timer;
    QTimer m_deadline;
    proto::ReplyScanner m_scanner;
    std::string m_buffer;
    ProgressHandler m_onProgress;
    std::vector<QEventLoop*> m_loops;
    QString m_lastErrorText;
    // Where the connection goes, for the judge of its certificate.
    QString m_peerHost;
    int m_peerPort = 0;
    QList<QSslError> m_certificateErrors;
    std::int64_t m_expectedSize = 0;
    std::int64_t m_packetSize = 0;
    std::size_t m_maxBytes = 0;
    int m_deadlineSeconds = 0;
    int m_timeOut = 60;
    int m_stepCode = 0;
    TalkError m_lastError = TalkError::None;
    bool m_waiting = false;
    bool m_success = false;
    bool m_handshaking = false;
    bool m_isCertificateRefused = false;
};

} // namespace vantor::mail::net
