#pragma once

#include "TestMailServer.h"

#include <QByteArray>
#include <QString>

#include <set>

namespace benchmark {
class BenchmarkReporter;
}

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

// The main() of a benchmark program on Dovecot: starts the server with room for that many mailboxes, points
// server at it and runs the benchmarks through reporter; 1 when the server does not start.
int runOnMailServer(int argc, char** argv, int mailboxes, test::TestMailServer*& server,
                    benchmark::BenchmarkReporter& reporter);

} // namespace vantor::bench
