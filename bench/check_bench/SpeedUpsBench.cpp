// Side by side on the same mailboxes and machine: the lockstep floor client, the check as it talks without
// speed-ups (lockstep, every header fetched each time), and the check with pipelining and the header cache;
// on loopback and through a relay that delays each direction (a distant server). Then a repeated check of
// an unchanged mailbox, whose headers all come from the cache.

#include "BenchMailbox.h"
#include "CheckFixture.h"
#include "FloorClient.h"
#include "storage/SettingKeys.h"
#include "support/DelayingRelay.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <memory>
#include <sys/resource.h>

namespace {

using vantor::support::DelayingRelay;
using vantor::test::CheckFixture;
using vantor::test::TestMailServer;

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// A relay that delays each direction by delayMs, or none on loopback.
std::unique_ptr<DelayingRelay> relayFor(int delayMs)
{
    if (delayMs == 0)
        return nullptr;
    const TestMailServer& server = vantor::bench::benchServer();
    auto relay = std::make_unique<DelayingRelay>(server.host(), server.port(), delayMs);
    return relay->start() ? std::move(relay) : nullptr;
}

quint16 portFor(const DelayingRelay* relay)
{
    return relay ? relay->port() : vantor::bench::benchServer().port();
}

// A home with the profile that calls "Cheap pills" spam and the account on user through port.
void prepare(CheckFixture& fixture, quint16 port, const QString& user, bool isFast, bool wholeBackups = false)
{
    if (wholeBackups) {
        fixture.setSetting(vantor::storage::BackupActive, true);
        fixture.setSetting(vantor::storage::BackupAllMessage, true);
    }
    vantor::filter::Profile profile;
    profile.subjectRules = {{"", "", "Contains", "cheap pills", "No", true}};
    fixture.writeProfile(QStringLiteral("Bench"), profile);
    // A profile saved a moment ago is read again at every message until its time stamp can be trusted.
    std::filesystem::last_write_time(fixture.home.nativeFilePath("Profile/Bench.vtf"),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    fixture.addAccount(QStringLiteral("Bench"), vantor::bench::benchServer().host(), port, user,
                       TestMailServer::Password, QStringLiteral("Bench"));
    if (isFast)
        fixture.enableSpeedUps();
}

double timedCheck(CheckFixture& fixture)
{
    QElapsedTimer clock;
    clock.start();
    fixture.checks->startCheck(vantor::core::CheckMode::Automatic);
    return double(clock.nsecsElapsed()) / 1e9;
}

// Commands the client wrote per burst it waited on, through the relay; 0 on loopback.
double commandsPerRoundTrip(const DelayingRelay* relay)
{
    return relay && relay->burstCount() > 0 ? double(relay->commandCount()) / relay->burstCount() : 0.0;
}

// wholeBackups: each deleted message is first fetched whole for its backup; the floor knows no backups
// and is left out then.
void sideBySide(benchmark::State& state, int count, int delayMs, bool wholeBackups)
{
    TestMailServer& server = vantor::bench::benchServer();
    const std::set<int> spam = vantor::bench::benchSpam(count);
    for (auto _ : state) {
        const std::unique_ptr<DelayingRelay> relay = relayFor(delayMs);
        if (delayMs > 0 && !relay) {
            state.SkipWithError("the relay did not start");
            break;
        }
        if (!wholeBackups) {
            const QString floorUser = vantor::bench::fillBenchMailbox(server, count, true);
            vantor::bench::FloorClient floor(server.host().toLatin1(), portFor(relay.get()),
                                             floorUser.toLatin1(), TestMailServer::Password.toLatin1());
            QElapsedTimer clock;
            clock.start();
            if (!floor.check(count, spam))
                state.SkipWithError("the floor client failed");
            state.counters["floor_s"] = double(clock.nsecsElapsed()) / 1e9;
            state.counters["floor_cmd_per_rt"] = commandsPerRoundTrip(relay.get());
        }

        for (const bool isFast : {false, true}) {
            if (relay)
                relay->resetCounts();
            const QString user = vantor::bench::fillBenchMailbox(server, count, true);
            CheckFixture fixture;
            prepare(fixture, portFor(relay.get()), user, isFast, wholeBackups);
            const double seconds = timedCheck(fixture);
            const auto& lists = fixture.checks->lists();
            if (lists.deleted().size() != int(spam.size()) || lists.kept().size() != count - int(spam.size()))
                state.SkipWithError("the check did not delete exactly the spam");
            state.counters[isFast ? "fast_s" : "lockstep_s"] = seconds;
            state.counters[isFast ? "fast_cmd_per_rt" : "lockstep_cmd_per_rt"] =
                commandsPerRoundTrip(relay.get());
            if (isFast)
                state.SetIterationTime(seconds);
        }
        if (!wholeBackups)
            state.counters["floor_over_fast"] = state.counters["floor_s"] / state.counters["fast_s"];
    }
    state.counters["peak_MB"] = peakMegabytes();
}

// A check of a mailbox of count messages of ham, then the same check again: the one timed.
void repeatedCheck(benchmark::State& state, int count, int delayMs)
{
    TestMailServer& server = vantor::bench::benchServer();
    for (auto _ : state) {
        const std::unique_ptr<DelayingRelay> relay = relayFor(delayMs);
        const QString user = vantor::bench::fillBenchMailbox(server, count, false);
        CheckFixture fixture;
        prepare(fixture, portFor(relay.get()), user, true);
        state.counters["first_s"] = timedCheck(fixture);
        if (relay)
            relay->resetCounts();
        const double seconds = timedCheck(fixture);
        state.SetIterationTime(seconds);
        if (fixture.checks->lists().kept().size() != count || !fixture.checks->lists().deleted().isEmpty())
            state.SkipWithError("the repeated check did not keep every message");
        state.counters["repeat_s"] = seconds;
        state.counters["repeat_tops"] = relay ? double(relay->clientBytes().count("TOP ")) : -1.0;
        state.counters["repeat_cmd_per_rt"] = commandsPerRoundTrip(relay.get());
    }
    state.counters["peak_MB"] = peakMegabytes();
}

} // namespace

BENCHMARK_CAPTURE(sideBySide, loopback_2000, 2000, 0, false)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sideBySide, rtt50ms_500, 500, 25, false)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sideBySide, rtt50ms_500_whole_backups, 500, 25, true)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(repeatedCheck, loopback_10000, 10000, 0)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(repeatedCheck, rtt50ms_10000, 10000, 25)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
