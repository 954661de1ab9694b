#pragma once

#include "support/DovecotServer.h"

#include <QString>

namespace vantor::test {

// The Dovecot instance of one test program with a pool of users "user1" .. "user<count>", all with the
// password "secret". The server reads its user file again only now and then, so every user is made before
// it starts; each test takes a fresh one and so has a mailbox of its own.
class TestMailServer : public support::DovecotServer
{
public:
    inline static const QString Password = QStringLiteral("secret");

    bool start(int userCount);
    // The next unused user; fails the program when the pool is used up.
    QString newUser();

private:
    int m_userCount = 0;
    int m_used = 0;
};

} // namespace vantor::test
