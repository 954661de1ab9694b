#pragma once

#include <QByteArray>
#include <QString>
#include <QThread>

#include <atomic>
#include <mutex>

namespace vantor::support {

// A relay on 127.0.0.1 in front of a real server that holds every byte for a given time in each direction,
// so that loopback behaves like a distant link (one round trip costs twice the delay); this kernel has no
// traffic shaping. It runs on a thread of its own, so a blocking client is served too. It also counts what
// the client sent: its command lines, and its bursts (data after the server last spoke), which are the
// round trips the client waited for.
class DelayingRelay : public QThread
{
    Q_OBJECT

public:
    DelayingRelay(QString host, quint16 port, int delayMs);
    ~DelayingRelay() override;

    // Starts the thread and listens; false when no port could be had.
    bool start();
    void stop();
    quint16 port() const { return m_listenPort.load(); }

    // Every byte clients sent, in order, over all connections.
    QByteArray clientBytes() const;
    // Command lines clients sent, and the bursts they came in.
    int commandCount() const;
    int burstCount() const { return m_bursts.load(); }
    void resetCounts();

protected:
    void run() override;

private:
    friend class DelayedLink;
    void noteClientBytes(const QByteArray& bytes, bool startsBurst);

    QString m_host;
    quint16 m_port;
    int m_delayMs;
    std::atomic<quint16> m_listenPort{0};
    std::atomic<bool> m_ready{false};
    std::atomic<int> m_bursts{0};
    mutable std::mutex m_mutex;
    QByteArray m_clientBytes;
};

} // namespace vantor::support
