// The EMail Manager's Connect on one account holding 2,000 messages on a local Dovecot: login, LIST and
// TOP n 0 for every message, one row each. Beside it the floor: a minimal blocking client sending the same
// commands. A 50 ms timer runs during the listing; its ticks show the window kept processing events.

#include "BenchMailbox.h"
#include "CheckFixture.h"
#include "FloorClient.h"
#include "TestMailServer.h"
#include "core/accounts/AccountStore.h"
#include "core/check/Pop3Mailbox.h"
#include "core/manager/EMailManager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

namespace {

constexpr int MessageCount = 2000;
constexpr int Runs = 5;
constexpr int TickMs = 50;

vantor::test::TestMailServer* server = nullptr;

class CountingView : public vantor::core::ManagerView
{
public:
    void setBusy(bool) override {}
    void setStatus(const QString&) override {}
    void setConnected(bool) override {}
    void clearView() override { rows = 0; }
    void addRow(const vantor::core::ManagerRow&) override { ++rows; }
    void setProgress(int, int) override {}

    int rows = 0;
};

void managerListing(benchmark::State& state)
{
    double floorSeconds = 0;
    std::vector<double> ratios;
    double worstGapMs = 0;
    double tickRate = 1e9;
    for (auto _ : state) {
        const QString floorUser = vantor::bench::fillBenchMailbox(*server, MessageCount, false);
        vantor::bench::FloorClient floor(server->host().toLatin1(), server->port(), floorUser.toLatin1(),
                                         vantor::test::TestMailServer::Password.toLatin1());
        QElapsedTimer clock;
        clock.start();
        if (!floor.headers(MessageCount))
            state.SkipWithError("the floor client failed");
        const double floorRound = double(clock.nsecsElapsed()) / 1e9;
        floorSeconds += floorRound;

        const QString user = vantor::bench::fillBenchMailbox(*server, MessageCount, false);
        vantor::test::CheckFixture fixture;
        fixture.addAccount(QStringLiteral("Bench"), server->host(), server->port(), user,
                           vantor::test::TestMailServer::Password);
        vantor::core::AccountStore accounts(fixture.home, fixture.errorLog);
        vantor::core::Pop3Mailbox mailbox;
        CountingView view;
        vantor::core::EMailManager manager(
            {fixture.home, fixture.texts, fixture.errorLog, fixture.prompts, fixture.detector, accounts}, mailbox,
            view);

        QElapsedTimer tickClock;
        qint64 lastTick = 0;
        qint64 gap = 0;
        int ticks = 0;
        QTimer ticker;
        ticker.setInterval(TickMs);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = tickClock.elapsed();
            gap = std::max(gap, now - lastTick);
            lastTick = now;
            ++ticks;
        });
        ticker.start();
        tickClock.start();
        clock.restart();
        manager.connectAndList("Bench");
        const double round = double(clock.nsecsElapsed()) / 1e9;
        ticker.stop();
        gap = std::max(gap, tickClock.elapsed() - lastTick);
        state.SetIterationTime(round);
        ratios.push_back(round / floorRound);
        worstGapMs = std::max(worstGapMs, double(gap));
        tickRate = std::min(tickRate, ticks / round);
        const int rows = view.rows;
        manager.disconnect();
        if (rows != MessageCount) {
            std::fprintf(stderr, "%d rows; %s; %s\n", rows, qPrintable(fixture.prompts.errors.join(u'|')),
                         qPrintable(fixture.errorEntries().join(u'|')));
            state.SkipWithError("the listing did not show every message");
        }
    }
    state.counters["msgs_per_s"] =
        benchmark::Counter(double(MessageCount), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["floor_msgs_per_s"] = double(MessageCount) * double(state.iterations()) / floorSeconds;
    std::sort(ratios.begin(), ratios.end());
    state.counters["median_ratio"] = ratios.empty() ? 0.0 : ratios[ratios.size() / 2];
    state.counters["worst_tick_gap_ms"] = worstGapMs;
    state.counters["lowest_tick_hz"] = tickRate;
}

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                std::printf("skipped: %s\n", run.error_message.c_str());
                continue;
            }
            const double manager = run.counters.at("msgs_per_s").value;
            const double floor = run.counters.at("floor_msgs_per_s").value;
            std::printf("manager time / floor time = %.2f over all rounds (%.0f vs %.0f messages/s), %.2f in the "
                        "median round; %d ms timer: lowest %.1f Hz in a round, longest gap %.0f ms\n",
                        floor / manager, manager, floor, run.counters.at("median_ratio").value, TickMs,
                        run.counters.at("lowest_tick_hz").value, run.counters.at("worst_tick_gap_ms").value);
        }
    }
};

} // namespace

BENCHMARK(managerListing)->Iterations(Runs)->Unit(benchmark::kMillisecond)->UseManualTime();

int main(int argc, char** argv)
{
    RatioReporter reporter;
    return vantor::bench::runOnMailServer(argc, argv, 2 * Runs + 2, server, reporter);
}
