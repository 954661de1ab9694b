// Evaluations per second of the filter engine.
//
// Setup: one profile with 100 rules in each of the four lists (mixed conditions and letter-case rules),
// every general rule on, the black list filter on with a 100,000-line list, the main-level-domain filter
// on; 100,000 header-only messages (about 0.8 KB of header each) of which roughly 70 % pass every rule
// and so walk the whole procedure, the rest being caught at the various steps (the shares are printed).
//
// The files are written, then left alone for a few seconds like files saved some time before a check:
// right after a save the cache also compares the file contents (see FileCache).
//
// Apart from these, one hostile header of 100,000 "To:" lines is judged end to end, raw header to verdict:
// the recipient list must be gathered in one walk over the header, not one walk per line.

#include "filter/BlackListStore.h"
#include "filter/FilterEngine.h"
#include "filter/MessageFields.h"
#include "filter/ProfileStore.h"
#include "mail/mime/MailMessage.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace vantor::filter;
using vantor::mail::mime::MailMessage;

constexpr int MessageCount = 100'000;
constexpr int BlackListLines = 100'000;
constexpr int RulesPerList = 100;
constexpr int UncachedMessages = 300;
constexpr int HostileToLines = 100'000;

FilterRule rule(std::string type, std::string condition, std::string pattern, std::string caseText = "No")
{
    FilterRule made;
    made.type = std::move(type);
    made.condition = std::move(condition);
    made.pattern = std::move(pattern);
    made.caseText = std::move(caseText);
    made.check = true;
    return made;
}

Profile benchProfile()
{
    static const char* Conditions[] = {"Contains", "Ends with", "Equals", "Starts with"};
    Profile profile;
    for (int i = 0; i < RulesPerList; ++i) {
        const std::string n = std::to_string(i);
        const char* condition = Conditions[i % 4];
        const std::string caseText = i % 5 == 0 ? "Yes" : "No";
        if (i < 50)
            profile.exceptionRules.push_back(rule("EMail", "Equals", "friend" + n + "@trusted.example"));
        else if (i < 80)
            profile.exceptionRules.push_back(rule("Domain", "Equals", "partner" + n + ".example"));
        else
            profile.exceptionRules.push_back(rule("Subject", "Starts with", "[list" + n + "]"));
        static const char* SenderPatterns[] = {"spammer", ".bad", "offer", "promo"};
        const std::string senderPattern = i % 4 == 1   ? std::string(".bad") + n + ".example"
                                          : i % 4 == 2 ? "offer" + n + "@deals.example"
                                                       : SenderPatterns[i % 4] + n;
        profile.senderRules.push_back(
            rule(i % 2 == 0 ? "EMail" : "Domain", condition, senderPattern, caseText));
        profile.subjectRules.push_back(
            rule("", condition, (i % 4 == 2 ? "buy cheap pills " : "cheap") + n, caseText));
        profile.headerRules.push_back(rule("", "Contains", "X-Mailer: BulkMailer " + n, caseText));
    }
    GeneralRules& general = profile.general;
    general.blockEmptySender = general.blockEmptySubject = general.blockEmptyReceiver =
        general.blockSenderIsReceiver = true;
    general.est = general.ebt = general.pry = true;
    general.estValue = 100;
    general.ebtValue = 200000;
    general.pryValue = 3;
    general.eblf = true;
    general.bList = "Big";
    general.mld = true;
    for (std::size_t i = 0; i < MainLevelDomainCount; ++i)
        profile.domainTicks[i] =
            MainLevelDomains[i] == ".ru" || MainLevelDomains[i] == ".tk" || MainLevelDomains[i] == ".cn";
    return profile;
}

std::vector<std::string> benchBlackList()
{
    std::vector<std::string> lines;
    lines.reserve(BlackListLines);
    for (int i = 0; i < BlackListLines; ++i)
        lines.push_back(i % 2 == 0
                            ? "sender" + std::to_string(i) + "@listed" + std::to_string(i % 997) + ".example"
                            : "blocked" + std::to_string(i) + ".example");
    return lines;
}

// The sender of message i: mostly unknown senders, some caught by each kind of rule.
std::string senderOf(int i, std::mt19937& random)
{
    switch (random() % 20) {
    case 0:
        return "sender" + std::to_string((random() % (BlackListLines / 2)) * 2) + "@listed" +
               std::to_string(random() % 997) + ".example";
    case 1:
        return "friend" + std::to_string(random() % 50) + "@trusted.example";
    case 2:
        return "news@shop" + std::to_string(i) + ".ru";
    case 3:
        return "spammer" + std::to_string((random() % 25) * 4) + "@mass" + std::to_string(i) + ".example";
    default:
        return "person" + std::to_string(i) + "@mail" + std::to_string(random() % 500) + ".example.com";
    }
}

std::string headerOf(int i, std::mt19937& random)
{
    const std::string n = std::to_string(i);
    const unsigned kind = random() % 20;
    const std::string subject = kind == 3   ? "cheap" + std::to_string(random() % 100) + " watches"
                                : kind == 5 ? ""
                                            : "Meeting notes for project " + n + " and the next steps";
    const std::string mailer =
        kind == 4 ? "BulkMailer " + std::to_string(random() % 100) : "Thunderbird 115.3";
    return "Return-Path: <bounce" + n +
           "@mail.example.com>\r\n"
           "Received: from mx" +
           n + ".example.com (mx" + n + ".example.com [192.0.2." + std::to_string(i % 250) +
           "])\r\n"
           "\tby pop.example.net (Postfix) with ESMTPS id 4F" +
           n +
           "\r\n"
           "\tfor <me@example.net>; Tue, 12 Mar 2024 10:15:32 +0100 (CET)\r\n"
           "Received: from [10.0.0." +
           std::to_string(i % 200) +
           "] by mx.example.com with ESMTPSA\r\n"
           "Message-ID: <" +
           n +
           ".1710234932@mail.example.com>\r\n"
           "Date: Tue, 12 Mar 2024 10:15:30 +0100\r\n"
           "From: Person " +
           n + " <" + senderOf(i, random) +
           ">\r\n"
           "To: Me <me@example.net>\r\n"
           "Subject: " +
           subject +
           "\r\n"
           "MIME-Version: 1.0\r\n"
           "Content-Type: text/plain; charset=UTF-8; format=flowed\r\n"
           "Content-Transfer-Encoding: 8bit\r\n"
           "X-Mailer: " +
           mailer +
           "\r\n"
           "X-Priority: 3\r\n"
           "\r\n";
}

class BenchHome
{
public:
    BenchHome()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantor-filter-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_path = pattern;
        ProfileStore(m_path).write("Bench", benchProfile());
        BlackListStore(m_path).write("Big", benchBlackList());
        std::mt19937 random(42);
        m_messages.reserve(MessageCount);
        m_sizes.reserve(MessageCount);
        for (int i = 0; i < MessageCount; ++i) {
            auto message = std::make_unique<MailMessage>();
            message->loadRawHeader(headerOf(i, random));
            m_fields.push_back(MessageFields::fromMessage(*message));
            // A few messages are smaller than the profile's smallest size.
            m_sizes.push_back(random() % 50 == 0 ? 60 : 4000 + static_cast<std::int64_t>(random() % 8000));
            m_messages.push_back(std::move(message));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(3500));
    }

    void removeFiles() const
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }

    const std::string& path() const { return m_path; }
    const MailMessage& message(std::size_t i) const { return *m_messages[i]; }
    const MessageFields& fields(std::size_t i) const { return m_fields[i]; }
    std::int64_t size(std::size_t i) const { return m_sizes[i]; }

private:
    std::string m_path;
    std::vector<std::unique_ptr<MailMessage>> m_messages;
    std::vector<MessageFields> m_fields;
    std::vector<std::int64_t> m_sizes;
};

// Built once for every benchmark and never torn down message by message: only its files are removed
// at exit.
BenchHome& home()
{
    static BenchHome* instance = [] {
        auto* made = new BenchHome;
        std::atexit([] { home().removeFiles(); });
        return made;
    }();
    return *instance;
}

void countVerdicts(benchmark::State& state, const std::vector<int>& counts, int total)
{
    static const char* Names[] = {"headers", "subject", "exception", "sender", "other", "blacklist", "clear"};
    for (int code = 0; code < 7; ++code)
        state.counters[std::string("share_") + Names[code]] = static_cast<double>(counts[code]) / total;
}

void BM_CachedEvaluation(benchmark::State& state)
{
    BenchHome& bench = home();
    FilterEngine engine(bench.path(), true);
    std::vector<int> counts(7, 0);
    for (auto _ : state) {
        for (int i = 0; i < MessageCount; ++i)
            ++counts[static_cast<int>(
                engine.evaluate(bench.message(i), bench.size(i), "Bench").verdict.code)];
    }
    state.SetItemsProcessed(state.iterations() * MessageCount);
    countVerdicts(state, counts, static_cast<int>(state.iterations()) * MessageCount);
}

void BM_CachedEvaluationOfExtractedFields(benchmark::State& state)
{
    BenchHome& bench = home();
    FilterEngine engine(bench.path(), true);
    for (auto _ : state) {
        for (int i = 0; i < MessageCount; ++i)
            benchmark::DoNotOptimize(engine.evaluate(bench.fields(i), bench.size(i), "Bench"));
    }
    state.SetItemsProcessed(state.iterations() * MessageCount);
}

void BM_UncachedEvaluation(benchmark::State& state)
{
    BenchHome& bench = home();
    FilterEngine engine(bench.path(), false);
    for (auto _ : state) {
        for (int i = 0; i < UncachedMessages; ++i)
            benchmark::DoNotOptimize(engine.evaluate(bench.message(i), bench.size(i), "Bench"));
    }
    state.SetItemsProcessed(state.iterations() * UncachedMessages);
}

std::string manyToLinesHeader()
{
    std::string header = "From: Mass Sender <mass@sender.example>\r\nSubject: Hello\r\n";
    for (int i = 0; i < HostileToLines; ++i)
        header += "To: Person " + std::to_string(i) + " <person" + std::to_string(i) + "@list.example>\r\n";
    return header + "X-Priority: 3\r\n\r\n";
}

// Raw header to verdict, by the large profile: the message is loaded as a header-only fetch loads it.
void BM_JudgeHundredThousandToLines(benchmark::State& state)
{
    const std::string header = manyToLinesHeader();
    BenchHome& bench = home();
    FilterEngine engine(bench.path(), true);
    std::size_t receiverBytes = 0;
    for (auto _ : state) {
        MailMessage message;
        message.loadRawHeader(header);
        const MessageFields fields = MessageFields::fromMessage(message);
        receiverBytes = fields.receiver.size();
        benchmark::DoNotOptimize(engine.evaluate(fields, 4000, "Bench"));
    }
    // Shows that every address was gathered.
    state.counters["receiver_bytes"] = static_cast<double>(receiverBytes);
}

} // namespace

BENCHMARK(BM_JudgeHundredThousandToLines)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_CachedEvaluation)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CachedEvaluationOfExtractedFields)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UncachedEvaluation)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
