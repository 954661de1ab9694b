#include "BenchMailbox.h"

#include "FloorClient.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <cstdio>

namespace vantor::bench {

QByteArray benchMessage(int n, bool withSpam)
{
    const bool isSpam = withSpam && n % 5 < 2;
    const QByteArray number = QByteArray::number(n);
    QByteArray bytes;
    for (int hop = 0; hop < 6; ++hop)
        bytes += "Received: from relay" + QByteArray::number(hop) + ".example.net (relay" +
                 QByteArray::number(hop) + ".example.net [192.0.2." + QByteArray::number(hop + 1) +
                 "])\n\tby mx.example.org with ESMTP id " + number + "; Tue, 05 Feb 2002 10:20:30 +0100\n";
    bytes += "From: \"Sender " + number + "\" <sender" + number + "@example.com>\n";
    bytes += "To: user@example.org\nSubject: " +
             (isSpam ? QByteArray("Cheap pills ") : QByteArray("Meeting notes ")) + number +
             "\nDate: Tue, 05 Feb 2002 10:20:30 +0100\nMessage-ID: <" + number +
             "@example.com>\nMIME-Version: 1.0\nContent-Type: text/plain; charset=us-ascii\n\n";
    for (int line = 0; line < 30; ++line)
        bytes += "The quick brown fox jumps over the lazy dog, line " + QByteArray::number(line) + ".\n";
    return bytes;
}

std::set<int> benchSpam(int count)
{
    std::set<int> spam;
    for (int n = 1; n <= count; ++n) {
        if (n % 5 < 2)
            spam.insert(n);
    }
    return spam;
}

QString fillBenchMailbox(test::TestMailServer& server, int count, bool withSpam)
{
    const QString user = server.newUser();
    for (int n = 1; n <= count; ++n)
        server.putMessage(user, benchMessage(n, withSpam));
    FloorClient(server.host().toLatin1(), server.port(), user.toLatin1(),
                test::TestMailServer::Password.toLatin1())
        .touch();
    return user;
}

int runOnMailServer(int argc, char** argv, int mailboxes, test::TestMailServer*& server,
                    benchmark::BenchmarkReporter& reporter)
{
    QCoreApplication application(argc, argv);
    test::TestMailServer mailServer;
    if (!mailServer.start(mailboxes)) {
        std::fprintf(stderr, "Dovecot did not start: %s\n", qPrintable(mailServer.errorText()));
        return 1;
    }
    server = &mailServer;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    server = nullptr;
    return 0;
}

} // namespace vantor::bench
