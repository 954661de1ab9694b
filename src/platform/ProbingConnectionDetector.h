#pragma once

#include "platform/AddressSource.h"
#include "platform/ConnectionDetector.h"

#include <QTimer>

#include <memory>

namespace vantor::platform {

// The product's detector: every dispatchInterval() ms it resolves the host name and looks at the interfaces
// through an AddressSource, judges them with ConnectionProbe and raises changed() on each transition.
class ProbingConnectionDetector : public ConnectionDetector
{
    Q_OBJECT

public:
    static constexpr int DefaultDispatchInterval = 1000;

    // Starts probing at once (enabled by default); the first probe runs one interval after construction.
    explicit ProbingConnectionDetector(std::unique_ptr<AddressSource> source, QObject* parent = nullptr);
    ~ProbingConnectionDetector() override;

    bool isOnline() const override { return m_online; }
    QString ip() const override { return m_ip; }

    bool isEnabled() const { return m_timer.isActive(); }
    void setEnabled(bool enabled);
    int dispatchInterval() const { return m_timer.interval(); }
    void setDispatchInterval(int milliseconds);

    // Runs one probe now, unless the previous one is still waiting for the resolver.
    void probe();

private:
    void judge(const QList<QHostAddress>& resolved);

    std::unique_ptr<AddressSource> m_source;
    QTimer m_timer;
    bool m_lookupPending = false;
    bool m_online = false;
    QString m_ip;
};

} // namespace vantor::platform
