#include "mail/net/SocketConversation.h"

#include "mail/codec/TextHelpers.h"
#include "mail/net/CertificateJudge.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QThread>

#include <algorithm>

namespace vantor::mail::net {

using proto::ReplyScanner;

SocketConversation::SocketConversation(ConversationListener& listener, SocketFactory factory)
    : m_listener(listener)
    , m_factory(factory ? std::move(factory) : defaultSocketFactory())
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SocketConversation::onTimeOut);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &SocketConversation::onDeadline);
    replaceSocket();
}

SocketConversation::~SocketConversation()
{
    // The socket's own teardown must not call back into an owner that is being destroyed.
    if (m_socket)
        m_socket->disconnect(this);
}

void SocketConversation::replaceSocket()
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        // It may be the sender of the signal being handled further up the stack.
        m_socket.release()->deleteLater();
    }
    m_socket = m_factory();
    connect(m_socket.get(), &QSslSocket::readyRead, this, &SocketConversation::onReadyRead);
    connect(m_socket.get(), &QSslSocket::disconnected, this, &SocketConversation::onDisconnected);
    connect(m_socket.get(), &QSslSocket::errorOccurred, this, &SocketConversation::onSocketError);
    connect(m_socket.get(), &QSslSocket::encrypted, this, &SocketConversation::onEncrypted);
    connect(m_socket.get(), &QSslSocket::sslErrors, this, &SocketConversation::onSslErrors);
}

void SocketConversation::open(const std::string& host, int port, bool implicitTls)
{
    // Every connection gets a fresh socket, so no TLS state of an earlier one carries over.
    replaceSocket();
    m_certificateErrors.clear();
    m_isCertificateRefused = false;
    m_peerHost = QString::fromStdString(host);
    m_peerPort = port;
    QString peer = m_peerHost;
    if (codec::isIPAddress(host)) {
        // A dotted number is an address, never a name to look up.
        QHostAddress address;
        if (!address.setAddress(peer)) {
            fail(TalkError::Socket, QStringLiteral("not a valid address: ") + peer);
            return;
        }
        peer = address.toString();
    }
    const auto portNumber = static_cast<quint16>(std::clamp(port, 0, 65535));
    if (implicitTls)
        m_socket->connectToHostEncrypted(peer, portNumber);
    else
        m_socket->connectToHost(peer, portNumber);
}

void SocketConversation::close()
{
    m_socket->abort();
    // A wait on the closed connection can only fail; end it now, not at the time-out.
    if (m_waiting)
        fail(TalkError::Interrupted, QStringLiteral("the connection was closed"));
}

bool SocketConversation::isActive() const
{
    return m_socket->state() != QAbstractSocket::UnconnectedState;
}

std::string SocketConversation::localHostName() const
{
    return QHostInfo::localHostName().toStdString();
}

std::string SocketConversation::localAddress() const
{
    return m_socket->localAddress().toString().toStdString();
}

void SocketConversation::arm(int step, const ReplyLimit& limit)
{
    m_timer.setInterval(m_timeOut * 1000);
    m_deadline.stop();
    m_maxBytes = limit.maxBytes;
    m_deadlineSeconds = limit.totalSeconds > 0 ? limit.totalSeconds : m_timeOut;
    m_lastError = TalkError::None;
    m_lastErrorText.clear();
    m_stepCode = step;
    m_waiting = true;
    m_success = false;
}

void SocketConversation::prepareWait(int step, const ReplyEnd& end)
{
    m_buffer.clear();
    m_scanner.restart(end.rule, end.suffix);
    m_expectedSize = 0;
    arm(step, {});
    m_timer.start();
    startDeadline();
}

void SocketConversation::talk(std::string_view command, const ReplyEnd& end, int step,
                              const ReplyLimit& limit)
{
    m_buffer.clear();
    m_scanner.restart(end.rule, end.suffix);
    arm(step, limit);
    send(command);
    m_packetSize = 0;
    // A long upload is paced by the inactivity limit per packet; the reply's own deadline starts now.
    startDeadline();
}

void SocketConversation::startEncryption(int step)
{
    m_scanner.clearRule();
    arm(step, {});
    m_handshaking = true;
    m_timer.start();
    startDeadline();
    m_socket->startClientEncryption();
}

void SocketConversation::startDeadline()
{
    if (m_waiting)
        m_deadline.start(m_deadlineSeconds * 1000);
}

void SocketConversation::waitReply()
{
    m_timer.setInterval(m_timeOut * 1000);
    if (m_waiting && !m_success) {
        if (!m_timer.isActive())
            m_timer.start();
        QEventLoop loop;
        m_loops.push_back(&loop);
        loop.exec();
        std::erase(m_loops, &loop);
        // Only the application's exit ends a loop without ending the wait; what the server says after
        // that can no longer be trusted to belong to this command.
        if (m_waiting && !m_success)
            fail(TalkError::Interrupted, QStringLiteral("the wait was broken off"));
    }
    m_timer.stop();
}

void SocketConversation::cancelWait()
{
    m_timer.stop();
    m_deadline.stop();
    m_lastError = TalkError::None;
    m_stepCode = 0;
    m_scanner.clearRule();
    m_expectedSize = 0;
    m_success = false;
    finishWait();
}

void SocketConversation::finishWait()
{
    m_waiting = false;
    m_handshaking = false;
    // A wait started from inside another one (an event handled during the first) ends both.
    for (QEventLoop* loop : m_loops)
        loop->quit();
}

bool SocketConversation::canSend() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

void SocketConversation::send(std::string_view command)
{
    if (m_packetSize > 0 && static_cast<std::int64_t>(command.size()) > m_packetSize)
        sendInPackets(command);
    else
        sendChunk(command);
}

void SocketConversation::sendInPackets(std::string_view command)
{
    const auto total = static_cast<std::int64_t>(command.size());
    if (m_onProgress)
        m_onProgress(total, 0);
    std::int64_t sent = 0;
    while (sent < total) {
        QCoreApplication::processEvents();
        // A refusal, a close or an abort from the window while the text goes out ends the send.
        if (!m_waiting || !canSend())
            return;
        const std::int64_t chunk = std::min(m_packetSize, total - sent);
        sendChunk(command.substr(static_cast<std::size_t>(sent), static_cast<std::size_t>(chunk)));
        sent += chunk;
        if (m_onProgress)
            m_onProgress(total, sent);
    }
    if (m_onProgress)
        m_onProgress(total, total);
}

void SocketConversation::sendChunk(std::string_view chunk)
{
    // A socket that is not connected takes the data without complaint; the wait then ends by time-out
    // or disconnection.
    if (!canSend())
        return;
    m_socket->write(chunk.data(), static_cast<qint64>(chunk.size()));
    // Until the encryption is up the socket keeps what it was given; nothing can be pushed out yet.
    if (m_socket->mode() != QSslSocket::UnencryptedMode && !m_socket->isEncrypted())
        return;
    // Push the bytes out now; while the peer takes nothing, retry every 10 ms for at most the time-out.
    const QDeadlineTimer deadline(static_cast<qint64>(m_timeOut) * 1000);
    while (m_socket->bytesToWrite() > 0 && canSend()) {
        if (m_socket->flush())
            continue;
        if (deadline.hasExpired()) {
            onTimeOut();
            return;
        }
        QThread::msleep(10);
    }
}

void SocketConversation::onReadyRead()
{
    const qint64 available = m_socket->bytesAvailable();
    if (available <= 0)
        return;
    const std::size_t start = m_buffer.size();
    m_buffer.resize(start + static_cast<std::size_t>(available));
    const qint64 got = m_socket->read(m_buffer.data() + start, available);
    m_buffer.resize(start + static_cast<std::size_t>(std::max<qint64>(got, 0)));
    if (got <= 0)
        return;

    m_lastError = TalkError::None;
    m_timer.stop();
    if (m_maxBytes > 0 && m_buffer.size() > m_maxBytes) {
        fail(TalkError::Oversized, QStringLiteral("reply larger than %1 bytes").arg(m_maxBytes));
        return;
    }
    m_scanner.scan(m_buffer);
    const std::string_view piece = std::string_view(m_buffer).substr(start);
    m_listener.dataReceived(m_stepCode, m_success, piece, start == 0);
    if (m_expectedSize > 0 && m_onProgress)
        m_onProgress(m_expectedSize, static_cast<std::int64_t>(m_buffer.size()));
    if (!m_scanner.isComplete(m_buffer)) {
        m_timer.start();
        return;
    }
    m_lastError = TalkError::None;
    m_deadline.stop();
    m_expectedSize = 0;
    m_scanner.clearRule();
    finishWait();
    m_listener.replyComplete(m_stepCode, m_success, m_buffer);
    m_stepCode = 0;
}

void SocketConversation::onDisconnected()
{
    // Bytes that came in with the close are still part of the reply.
    onReadyRead();
    m_listener.talkDisconnected();
    m_timer.stop();
    m_deadline.stop();
    m_stepCode = 0;
    m_scanner.clearRule();
    m_expectedSize = 0;
    m_packetSize = 0;
    finishWait();
}

void SocketConversation::onSocketError(QAbstractSocket::SocketError error)
{
    // A closing peer is the disconnection, reported next; it must not spoil a reply that came with it.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    if (error == QAbstractSocket::SslHandshakeFailedError && !m_certificateErrors.isEmpty()) {
        m_isCertificateRefused = true;
        fail(TalkError::Socket, QStringLiteral("certificate not trusted: ") +
                                    QString::fromStdString(certificateReasons(m_certificateErrors)));
        return;
    }
    fail(TalkError::Socket, m_socket->errorString());
}

void SocketConversation::onEncrypted()
{
    if (!m_handshaking)
        return;
    m_timer.stop();
    m_deadline.stop();
    m_stepCode = 0;
    m_success = true;
    finishWait();
}

void SocketConversation::onSslErrors(const QList<QSslError>& errors)
{
    m_certificateErrors = errors;
    CertificateJudge* judge = judgeOf(*m_socket);
    if (!judge)
        return;
    // The judge may ask the user: time spent reading a dialog is no silence of the server.
    m_timer.stop();
    m_deadline.stop();
    QSslCertificate certificate = m_socket->peerCertificate();
    if (certificate.isNull() && !errors.isEmpty())
        certificate = errors.constFirst().certificate();
    const bool isAccepted = judge->accepts({m_peerHost, m_peerPort, certificate, errors});
    if (m_waiting) {
        m_timer.start();
        startDeadline();
    }
    if (isAccepted) {
        m_certificateErrors.clear();
        m_socket->ignoreSslErrors(errors);
    }
}

void SocketConversation::onTimeOut()
{
    fail(TalkError::TimeOut, QStringLiteral("no data for %1 seconds").arg(m_timeOut));
}

void SocketConversation::onDeadline()
{
    fail(TalkError::TimeOut, QStringLiteral("no whole reply within %1 seconds").arg(m_deadlineSeconds));
}

void SocketConversation::fail(TalkError kind, const QString& text)
{
    m_timer.stop();
    m_deadline.stop();
    m_lastError = kind;
    m_lastErrorText = text;
    m_expectedSize = 0;
    m_scanner.clearRule();
    m_success = false;
    finishWait();
    m_listener.talkError(m_stepCode, kind);
    // The listener's cancelWait() forgets the error kind; keep it for whoever asks afterwards.
    m_lastError = kind;
    m_stepCode = 0;
}

} // namespace vantor::mail::net
