#include "platform/ProbingConnectionDetector.h"

#include "platform/ConnectionProbe.h"

namespace vantor::platform {

ProbingConnectionDetector::ProbingConnectionDetector(std::unique_ptr<AddressSource> source, QObject* parent)
    : ConnectionDetector(parent)
    , m_source(std::move(source))
{
    m_timer.setInterval(DefaultDispatchInterval);
    connect(&m_timer, &QTimer::timeout, this, &ProbingConnectionDetector::probe);
    m_timer.start();
}

// The source goes first so that no lookup answer can reach a half-destroyed detector.
ProbingConnectionDetector::~ProbingConnectionDetector()
{
    m_source.reset();
}

void ProbingConnectionDetector::setEnabled(bool enabled)
{
    if (enabled)
        m_timer.start();
    else
        m_timer.stop();
}

void ProbingConnectionDetector::setDispatchInterval(int milliseconds)
{
    m_timer.setInterval(milliseconds);
}

void ProbingConnectionDetector::probe()
{
    // A resolver slower than the interval must not pile up lookups.
    if (m_lookupPending)
        return;
    m_lookupPending = true;
    m_source->resolveHostName([this](const QList<QHostAddress>& resolved) { judge(resolved); });
}

void ProbingConnectionDetector::judge(const QList<QHostAddress>& resolved)
{
    m_lookupPending = false;
    const QHostAddress address = ConnectionProbe::pick(resolved, m_source->interfaces());
    const bool online = !address.isNull();
    m_ip = online ? address.toString() : QString();
    if (online == m_online)
        return;
    m_online = online;
    emit changed(m_online);
}

} // namespace vantor::platform
