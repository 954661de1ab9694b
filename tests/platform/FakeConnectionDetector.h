#pragma once

#include "platform/ConnectionDetector.h"

namespace vantor::test {

// A detector the test switches by hand; raises changed() only on a real transition, like the product's.
class FakeConnectionDetector : public platform::ConnectionDetector
{
    Q_OBJECT

public:
    using ConnectionDetector::ConnectionDetector;

    bool isOnline() const override { return m_online; }
    QString ip() const override { return m_online ? QStringLiteral("192.0.2.10") : QString(); }

    void setOnline(bool online);

private:
    bool m_online = false;
};

} // namespace vantor::test
