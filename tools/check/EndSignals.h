#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace vantor::tools {

// SIGTERM and SIGINT, delivered on the event loop instead of killing the process: a check that is
// waiting for a server hears of them inside its wait and can abort its session cleanly (no QUIT, so the
// server keeps the messages) before the program ends.
class EndSignals : public QObject
{
    Q_OBJECT

public:
    // onSignal runs on the event loop with the signal's number; once per signal received.
    explicit EndSignals(std::function<void(int)> onSignal);
    ~EndSignals() override;

    // The first signal received, 0 when none.
    int received() const { return m_received; }

private:
    void onReadable();

    std::function<void(int)> m_onSignal;
    std::unique_ptr<QSocketNotifier> m_notifier;
    int m_received = 0;
};

} // namespace vantor::tools
