// A full automatic check of one account holding 2,000 messages, 40 % of them spam by the profile, on a local
// Dovecot: login, LIST, TOP n 0 and the filter for every message, the record fetch and DELE for the spam,
// QUIT, the second listing with the exceptions test, emails.log and backup.bak. Beside it the floor: a
// minimal blocking client sending the same command sequence. Prints the ratio and the peak memory.

#include "BenchMailbox.h"
#include "CheckFixture.h"
#include "FloorClient.h"
#include "SpamCorpus.h"
#include "TestMailServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int MessageCount = 2000;
constexpr int Runs = 7;

vantor::test::TestMailServer* server = nullptr;

std::set<int> spamNumbers()
{
    return vantor::bench::benchSpam(MessageCount);
}

QString fillMailbox()
{
    return vantor::bench::fillBenchMailbox(*server, MessageCount, true);
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The check and the floor take turns on fresh mailboxes of their own, so that the load of the machine
// falls on both alike; the benchmark's time is the check's, the floor's goes into a counter.
void automaticCheck(benchmark::State& state)
{
    const std::set<int> spam = spamNumbers();
    double floorSeconds = 0;
    std::vector<double> ratios;
    for (auto _ : state) {
        const QString floorUser = fillMailbox();
        vantor::bench::FloorClient floor(server->host().toLatin1(), server->port(), floorUser.toLatin1(),
                                         vantor::test::TestMailServer::Password.toLatin1());
        QElapsedTimer clock;
        clock.start();
        if (!floor.check(MessageCount, spam))
            state.SkipWithError("the floor client failed");
        const double floorRound = double(clock.nsecsElapsed()) / 1e9;
        floorSeconds += floorRound;

        const QString user = fillMailbox();
        vantor::test::CheckFixture fixture;
        vantor::filter::Profile profile;
        profile.subjectRules = {{"", "", "Contains", "cheap pills", "No", true}};
        fixture.writeProfile(QStringLiteral("Bench"), profile);
        // Saved long before the check, as profiles are in use: a file changed a moment ago is read again
        // at every message until its time stamp can be trusted.
        std::filesystem::last_write_time(fixture.home.nativeFilePath("Profile/Bench.vtf"),
                                         std::filesystem::file_time_type::clock::now() -
                                             std::chrono::hours(1));
        fixture.addAccount(QStringLiteral("Bench"), server->host(), server->port(), user,
                           vantor::test::TestMailServer::Password, QStringLiteral("Bench"));
        clock.restart();
        fixture.checks->startCheck(vantor::core::CheckMode::Automatic);
        const double checkRound = double(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(checkRound);
        ratios.push_back(floorRound / checkRound);

        const auto& lists = fixture.checks->lists();
        if (lists.deleted().size() != MessageCount * 2 / 5 || lists.kept().size() != MessageCount * 3 / 5)
            state.SkipWithError("the check did not delete exactly the spam");
    }
    state.counters["msgs_per_s"] =
        benchmark::Counter(double(MessageCount), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["floor_msgs_per_s"] = double(MessageCount) * double(state.iterations()) / floorSeconds;
    // Other work on the machine slows single rounds of either side; the median round says most.
    std::sort(ratios.begin(), ratios.end());
    state.counters["median_ratio"] = ratios.empty() ? 0.0 : ratios[ratios.size() / 2];
    state.counters["peak_rss_kB"] = double(peakKilobytes());
}

// Prints the ratio of the check's rate to the floor's after the table.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.counters.contains("floor_msgs_per_s"))
                continue;
            const double check = run.counters.at("msgs_per_s").value;
            const double floor = run.counters.at("floor_msgs_per_s").value;
            std::printf("check / floor = %.2f over all rounds (%.0f vs %.0f messages/s), %.2f in the median "
                        "round; peak memory %.0f kB\n",
                        check / floor, check, floor, run.counters.at("median_ratio").value,
                        run.counters.at("peak_rss_kB").value);
        }
    }
};

} // namespace

vantor::test::TestMailServer& vantor::bench::benchServer()
{
    return *server;
}

BENCHMARK(automaticCheck)->Iterations(Runs)->Unit(benchmark::kMillisecond)->UseManualTime();

int main(int argc, char** argv)
{
    RatioReporter reporter;
    // The floor's and the check's mailboxes of every round, and those of the side-by-side runs.
    return vantor::bench::runOnMailServer(argc, argv, 2 * Runs + 10, server, reporter);
}
