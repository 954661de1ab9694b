#include "FakeConnectionDetector.h"

namespace vantor::test {

void FakeConnectionDetector::setOnline(bool online)
{
    if (online == m_online)
        return;
    m_online = online;
    emit changed(m_online);
}

} // namespace vantor::test
