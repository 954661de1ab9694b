#include "TestMailServer.h"

#include <algorithm>

namespace vantor::test {

bool TestMailServer::start(int userCount)
{
    for (int i = m_userCount + 1; i <= userCount; ++i)
        addUser(QStringLiteral("user%1").arg(i), Password);
    m_userCount = std::max(m_userCount, userCount);
    return DovecotServer::start();
}

QString TestMailServer::newUser()
{
    if (m_used == m_userCount)
        qFatal("the test mail server has no unused user left");
    return QStringLiteral("user%1").arg(++m_used);
}

} // namespace vantor::test
