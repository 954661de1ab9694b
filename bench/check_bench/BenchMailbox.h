#pragma once

#include "TestMailServer.h"

#include <QByteArray>
#include <QString>

#include <set>

namespace vantor::bench {

// The Dovecot instance of the benchmark program.
test::TestMailServer& benchServer();

// Mailboxes for the check benchmarks: message n is spam by its subject ("Cheap pills") when n % 5 < 2 and
// spam is wanted; its headers look like real mail (six Received hops), its body is thirty lines.
QByteArray benchMessage(int n, bool withSpam);
// The numbers of the spam among count messages.
std::set<int> benchSpam(int count);
// A fresh user's mailbox of count messages whose index the server has already built.
QString fillBenchMailbox(test::TestMailServer& server, int count, bool withSpam);

} // namespace vantor::bench
