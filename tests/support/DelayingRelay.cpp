#include "support/DelayingRelay.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <deque>

namespace vantor::support {

// One relayed connection: what one side sent reaches the other after the delay, in order; a side that
// closes closes the other once everything before the close has been passed on.
class DelayedLink : public QObject
{
public:
    DelayedLink(DelayingRelay& relay, QTcpSocket* client, const QString& host, quint16 port, int delayMs)
        : m_relay(relay)
        , m_delayMs(delayMs)
        , m_client(client)
    {
        m_client->setParent(this);
        m_server = new QTcpSocket(this);
        m_server->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        m_client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        m_clock.start();
        setUp(m_toServer, m_client, m_server, true);
        setUp(m_toClient, m_server, m_client, false);
        m_server->connectToHost(host, port);
    }

private:
    struct Held
    {
        qint64 due;
        QByteArray bytes;
        bool isClose;
    };
    struct Direction
    {
        std::deque<Held> queue;
        QTimer timer;
        QTcpSocket* to = nullptr;
    };

    void setUp(Direction& direction, QTcpSocket* from, QTcpSocket* to, bool fromClient)
    {
        direction.to = to;
        direction.timer.setSingleShot(true);
        direction.timer.setTimerType(Qt::PreciseTimer);
        connect(&direction.timer, &QTimer::timeout, this, [this, &direction] { release(direction); });
        connect(from, &QTcpSocket::readyRead, this, [this, &direction, from, fromClient] {
            const QByteArray bytes = from->readAll();
            if (fromClient) {
                m_relay.noteClientBytes(bytes, m_serverSpoke);
                m_serverSpoke = false;
            } else {
                m_serverSpoke = true;
            }
            hold(direction, bytes, false);
        });
        connect(from, &QTcpSocket::disconnected, this, [this, &direction] { hold(direction, {}, true); });
    }

    void hold(Direction& direction, const QByteArray& bytes, bool isClose)
    {
        direction.queue.push_back({m_clock.elapsed() + m_delayMs, bytes, isClose});
        if (!direction.timer.isActive())
            direction.timer.start(
                static_cast<int>(std::max<qint64>(0, direction.queue.front().due - m_clock.elapsed())));
    }

    void release(Direction& direction)
    {
        while (!direction.queue.empty() && direction.queue.front().due <= m_clock.elapsed()) {
            Held held = std::move(direction.queue.front());
            direction.queue.pop_front();
            if (held.isClose) {
                // The last bytes must leave before the link goes: deleting a socket aborts it.
                connect(direction.to, &QTcpSocket::disconnected, this, &QObject::deleteLater);
                direction.to->disconnectFromHost();
                if (direction.to->state() == QAbstractSocket::UnconnectedState)
                    deleteLater();
                return;
            }
            direction.to->write(held.bytes);
        }
        if (!direction.queue.empty())
            direction.timer.start(
                static_cast<int>(std::max<qint64>(0, direction.queue.front().due - m_clock.elapsed())));
    }

    DelayingRelay& m_relay;
    int m_delayMs;
    QTcpSocket* m_client;
    QTcpSocket* m_server = nullptr;
    QElapsedTimer m_clock;
    Direction m_toServer;
    Direction m_toClient;
    // The greeting counts as the server's word before the first command.
    bool m_serverSpoke = true;
};

DelayingRelay::DelayingRelay(QString host, quint16 port, int delayMs)
    : m_host(std::move(host))
    , m_port(port)
    , m_delayMs(delayMs)
{}

DelayingRelay::~DelayingRelay()
{
    stop();
}

bool DelayingRelay::start()
{
    QThread::start();
    const QDeadlineTimer deadline(5000);
    while (!m_ready.load() && !deadline.hasExpired())
        QThread::msleep(1);
    return m_listenPort.load() != 0;
}

void DelayingRelay::stop()
{
    if (!isRunning())
        return;
    quit();
    wait();
}

void DelayingRelay::run()
{
    QTcpServer listener;
    if (listener.listen(QHostAddress::LocalHost))
        m_listenPort.store(listener.serverPort());
    connect(&listener, &QTcpServer::newConnection, &listener, [this, &listener] {
        while (QTcpSocket* client = listener.nextPendingConnection())
            (new DelayedLink(*this, client, m_host, m_port, m_delayMs))->setParent(&listener);
    });
    m_ready.store(true);
    // Links still open are the listener's children and go with it, on this thread.
    exec();
}

void DelayingRelay::noteClientBytes(const QByteArray& bytes, bool startsBurst)
{
    if (startsBurst)
        ++m_bursts;
    const std::lock_guard lock(m_mutex);
    m_clientBytes += bytes;
}

QByteArray DelayingRelay::clientBytes() const
{
    const std::lock_guard lock(m_mutex);
    return m_clientBytes;
}

int DelayingRelay::commandCount() const
{
    return static_cast<int>(clientBytes().count("\r\n"));
}

void DelayingRelay::resetCounts()
{
    const std::lock_guard lock(m_mutex);
    m_clientBytes.clear();
    m_bursts.store(0);
}

} // namespace vantor::support
