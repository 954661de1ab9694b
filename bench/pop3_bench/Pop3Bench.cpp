// Measures the POP3 client against a private Dovecot on loopback:
//  - login + LIST + TOP n 0 for each of 2,000 messages, by the client (with and without a bound message
//    object) and by a minimal blocking client as the floor;
//  - RETR of one 5, 10 and 20 MB message, by the client and by the floor (the time should grow linearly).
#include "BlockingPop3.h"
#include "mail/mime/MailMessage.h"
#include "mail/net/Pop3Client.h"
#include "support/DovecotServer.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using vantor::mail::mime::MailMessage;
using vantor::mail::net::Pop3Client;
using vantor::support::DovecotServer;

namespace {

constexpr int HeaderMessages = 2000;
const QString Password = QStringLiteral("bench-password");
DovecotServer* server = nullptr;

QByteArray headerMessage(int n)
{
    const QByteArray number = QByteArray::number(n);
    return "Return-Path: <sender" + number +
           "@example.org>\r\n"
           "Received: from mail" +
           number +
           ".example.org (mail.example.org [192.0.2.17])\r\n"
           "\tby mx.example.net (Postfix) with ESMTPS id 4F2A1B2C3D\r\n"
           "\tfor <anna@example.net>; Tue, 05 Feb 2002 10:20:30 +0100\r\n"
           "Message-ID: <20020205102030." +
           number +
           "@mail.example.org>\r\n"
           "Date: Tue, 05 Feb 2002 10:20:30 +0100\r\n"
           "From: \"Sender " +
           number + "\" <sender" + number +
           "@example.org>\r\n"
           "To: \"Anna\" <anna@example.net>\r\n"
           "Subject: =?utf-8?Q?Newsletter_number_" +
           number +
           "?=\r\n"
           "MIME-Version: 1.0\r\n"
           "Content-Type: text/plain; charset=\"utf-8\"\r\n"
           "Content-Transfer-Encoding: quoted-printable\r\n"
           "X-Priority: 3\r\n"
           "\r\n" +
           QByteArray("Body text of the message, about one line of it.\r\n").repeated(20);
}

QByteArray bigMessage(int megabytes)
{
    const QByteArray line =
        QByteArray("QUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVphYmNkZWZnaGlqa2xtbm9wcXJzdHV2d3h5ejAxMjM0\r\n");
    return "From: big@example.org\r\nSubject: " + QByteArray::number(megabytes) + " MB\r\n\r\n" +
           line.repeated(megabytes * 1024 * 1024 / line.size());
}

std::unique_ptr<Pop3Client> loggedInClient(const char* user)
{
    auto pop3 = std::make_unique<Pop3Client>();
    pop3->setHost(server->host().toStdString());
    pop3->setPort(server->port());
    pop3->setUserName(user);
    pop3->setPassword(Password.toStdString());
    if (!pop3->connect() || !pop3->login())
        return nullptr;
    return pop3;
}

void clientHeaders(benchmark::State& state, bool bindMessage)
{
    std::int64_t fetched = 0;
    MailMessage message;
    for (auto _ : state) {
        auto pop3 = loggedInClient("headers");
        if (!pop3) {
            state.SkipWithError("login failed");
            return;
        }
        if (bindMessage)
            pop3->setMailMessage(&message);
        for (int n = 1; n <= pop3->messageCount(); ++n)
            fetched += pop3->retrieveHeader(n, 0) ? 1 : 0;
        pop3->quit();
    }
    state.SetItemsProcessed(fetched);
}

void BM_ClientHeaders(benchmark::State& state)
{
    clientHeaders(state, false);
}

void BM_ClientHeadersIntoMessage(benchmark::State& state)
{
    clientHeaders(state, true);
}

void BM_FloorHeaders(benchmark::State& state)
{
    std::int64_t fetched = 0;
    for (auto _ : state) {
        BlockingPop3 pop3;
        if (!pop3.connect(server->host(), server->port()) || !pop3.login("headers", Password.toUtf8())) {
            state.SkipWithError("login failed");
            return;
        }
        fetched += pop3.fetchAllHeaders();
        pop3.quit();
    }
    state.SetItemsProcessed(fetched);
}

// Message n of user "big" holds 5 * 2^(n-1) MB: 1 -> 5 MB, 2 -> 10 MB, 3 -> 20 MB.
int bigMessageNumber(std::int64_t megabytes)
{
    return megabytes == 5 ? 1 : megabytes == 10 ? 2 : 3;
}

void BM_ClientRetrieve(benchmark::State& state)
{
    const int number = bigMessageNumber(state.range(0));
    auto pop3 = loggedInClient("big");
    if (!pop3) {
        state.SkipWithError("login failed");
        return;
    }
    std::int64_t bytes = 0;
    for (auto _ : state) {
        if (!pop3->retrieveMessage(number)) {
            state.SkipWithError("RETR failed");
            return;
        }
        bytes += static_cast<std::int64_t>(pop3->lastMessage().size());
    }
    pop3->quit();
    state.SetBytesProcessed(bytes);
}

void BM_FloorRetrieve(benchmark::State& state)
{
    const int number = bigMessageNumber(state.range(0));
    BlockingPop3 pop3;
    if (!pop3.connect(server->host(), server->port()) || !pop3.login("big", Password.toUtf8())) {
        state.SkipWithError("login failed");
        return;
    }
    std::int64_t bytes = 0;
    QByteArray text;
    for (auto _ : state) {
        if (!pop3.retrieve(number, text)) {
            state.SkipWithError("RETR failed");
            return;
        }
        bytes += text.size();
    }
    pop3.quit();
    state.SetBytesProcessed(bytes);
}

BENCHMARK(BM_ClientHeaders)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_FloorHeaders)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ClientHeadersIntoMessage)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ClientRetrieve)
    ->Arg(5)
    ->Arg(10)
    ->Arg(20)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();
BENCHMARK(BM_FloorRetrieve)
    ->Arg(5)
    ->Arg(10)
    ->Arg(20)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

bool prepareServer(DovecotServer& dovecot)
{
    dovecot.addUser(QStringLiteral("headers"), Password);
    dovecot.addUser(QStringLiteral("big"), Password);
    for (int n = 1; n <= HeaderMessages; ++n)
        dovecot.putMessage(QStringLiteral("headers"), headerMessage(n));
    for (int megabytes : {5, 10, 20})
        dovecot.putMessage(QStringLiteral("big"), bigMessage(megabytes));
    if (!dovecot.start()) {
        std::fprintf(stderr, "Dovecot did not start: %s\n", qPrintable(dovecot.errorText()));
        return false;
    }
    // The first session of each mailbox builds Dovecot's index and the first reads fill the page cache;
    // keep both out of the figures.
    for (const char* user : {"headers", "big"}) {
        auto pop3 = loggedInClient(user);
        if (!pop3)
            return false;
        for (int n = 1; n <= pop3->messageCount(); ++n)
            pop3->retrieveMessage(n);
        pop3->quit();
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    DovecotServer dovecot;
    server = &dovecot;
    if (!prepareServer(dovecot))
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
