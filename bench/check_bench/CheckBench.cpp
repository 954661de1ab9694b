// A full automatic check of one account holding 2,000 messages, 40 % of them spam by the profile, on a local
// Dovecot: login, LIST, TOP n 0 and the filter for every message, the record fetch and DELE for the spam,
// QUIT, the second listing with the exceptions test, emails.log and backup.bak. Beside it the floor: a
// minimal blocking client sending the same command sequence. Prints the ratio and the peak memory.

#include "CheckFixture.h"
#include "FloorClient.h"
#include "SpamCorpus.h"
#include "TestMailServer.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <set>
#include <sys/resource.h>

namespace {

constexpr int MessageCount = 2000;
constexpr int Runs = 3;

vantor::test::TestMailServer* server = nullptr;
double checkRate = 0;
double floorRate = 0;

// Message n: every fifth and fifth-plus-one is spam by its subject; the headers look like real mail.
QByteArray message(int n)
{
    const bool isSpam = n % 5 < 2;
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

std::set<int> spamNumbers()
{
    std::set<int> spam;
    for (int n = 1; n <= MessageCount; ++n) {
        if (n % 5 < 2)
            spam.insert(n);
    }
    return spam;
}

// A fresh mailbox of the 2,000 messages whose index the server has already built.
QString fillMailbox()
{
    const QString user = server->newUser();
    for (int n = 1; n <= MessageCount; ++n)
        server->putMessage(user, message(n));
    vantor::bench::FloorClient(server->host().toLatin1(), server->port(), user.toLatin1(),
                               vantor::test::TestMailServer::Password.toLatin1())
        .touch();
    return user;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void automaticCheck(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const QString user = fillMailbox();
        vantor::test::CheckFixture fixture;
        vantor::filter::Profile profile;
        profile.subjectRules = {{"", "", "Contains", "cheap pills", "No", true}};
        fixture.writeProfile(QStringLiteral("Bench"), profile);
        fixture.addAccount(QStringLiteral("Bench"), server->host(), server->port(), user,
                           vantor::test::TestMailServer::Password, QStringLiteral("Bench"));
        state.ResumeTiming();

        fixture.checks->startCheck(vantor::core::CheckMode::Automatic);

        state.PauseTiming();
        const auto& lists = fixture.checks->lists();
        if (lists.deleted().size() != MessageCount * 2 / 5 || lists.kept().size() != MessageCount * 3 / 5)
            state.SkipWithError("the check did not delete exactly the spam");
        state.ResumeTiming();
    }
    state.counters["msgs_per_s"] =
        benchmark::Counter(double(MessageCount), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_rss_kB"] = double(peakKilobytes());
}

void floorClient(benchmark::State& state)
{
    const std::set<int> spam = spamNumbers();
    for (auto _ : state) {
        state.PauseTiming();
        const QString user = fillMailbox();
        vantor::bench::FloorClient client(server->host().toLatin1(), server->port(), user.toLatin1(),
                                          vantor::test::TestMailServer::Password.toLatin1());
        state.ResumeTiming();
        if (!client.check(MessageCount, spam))
            state.SkipWithError("the floor client failed");
    }
    state.counters["msgs_per_s"] =
        benchmark::Counter(double(MessageCount), benchmark::Counter::kIsIterationInvariantRate);
}

// Remembers each benchmark's rate for the ratio printed at the end.
class RateReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const auto rate = run.counters.find("msgs_per_s");
            if (rate == run.counters.end())
                continue;
            const std::string name = run.benchmark_name();
            (name.find("automaticCheck") != std::string::npos ? checkRate : floorRate) = rate->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

BENCHMARK(automaticCheck)->Iterations(Runs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(floorClient)->Iterations(Runs)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    vantor::test::TestMailServer mailServer;
    if (!mailServer.start(2 * Runs + 2)) {
        std::fprintf(stderr, "Dovecot did not start: %s\n", qPrintable(mailServer.errorText()));
        return 1;
    }
    server = &mailServer;
    benchmark::Initialize(&argc, argv);
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (floorRate > 0)
        std::printf("check / floor = %.2f (%.0f vs %.0f messages/s), peak memory %ld kB\n",
                    checkRate / floorRate, checkRate, floorRate, peakKilobytes());
    return 0;
}
