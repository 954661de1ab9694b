#include "core/check/HeaderCache.h"
#include "core/check/Pop3Mailbox.h"
#include "storage/SettingKeys.h"
#include "support/ScriptedServer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <memory>

using vantor::core::HeaderCache;
using vantor::core::Pop3Mailbox;
using vantor::support::ScriptedServer;

namespace {

const QByteArray Pipelining = "+OK\r\nTOP\r\nPIPELINING\r\nUIDL\r\n.\r\n";

QByteArray header(int n)
{
    return "+OK\r\nSubject: m" + QByteArray::number(n) + "\r\n\r\n.\r\n";
}

QByteArray listing(int count)
{
    QByteArray bytes = "+OK\r\n";
    for (int n = 1; n <= count; ++n)
        bytes += QByteArray::number(n) + " 100\r\n";
    return bytes + ".\r\n";
}

QByteArray uidl(const QByteArrayList& ids)
{
    QByteArray bytes = "+OK\r\n";
    for (int n = 1; n <= ids.size(); ++n)
        bytes += QByteArray::number(n) + ' ' + ids.at(n - 1) + "\r\n";
    return bytes + ".\r\n";
}

} // namespace

// The mailbox's speed-ups against a scripted server: CAPA decides between lockstep and pipelined windows,
// any failure inside a window aborts the session, and headers are kept only by ids that tell every message
// apart. The Dovecot tests prove that a whole check comes out the same with them.
class Pop3SpeedUpsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    std::unique_ptr<ScriptedServer> m_server;

    std::unique_ptr<Pop3Mailbox> mailbox(int timeOut = 5)
    {
        auto box = std::make_unique<Pop3Mailbox>();
        box->enableSpeedUps(m_home.path().toStdString());
        box->setTimeOut(timeOut);
        box->setLogin({m_server->host().toStdString(), m_server->port(), "anna", "pw", "None"});
        return box;
    }
    // Greeting, CAPA, USER, PASS, LIST and UIDL answered; then the session is logged in.
    void scriptLogin(const QByteArray& capa, int count, const QByteArray& uidlReply)
    {
        m_server->greet("+OK ready\r\n").reply(capa).reply("+OK\r\n").reply("+OK\r\n");
        m_server->reply(listing(count)).reply(uidlReply);
    }
    QList<QByteArray> linesFrom(int first) const { return m_server->receivedLines().mid(first); }
    std::filesystem::path cacheFile() const
    {
        return HeaderCache::filePath(m_home.path().toStdString(), m_server->host().toStdString(),
                                     m_server->port(), "anna");
    }
    // The TOP lines among the lines received from index first on.
    int topsFrom(int first) const
    {
        int tops = 0;
        for (const QByteArray& line : linesFrom(first))
            tops += line.startsWith("TOP ") ? 1 : 0;
        return tops;
    }
    // A session on the messages of ids: fetches every header (answering count TOPs, in order, when
    // tops says so), checks each subject, QUIT. False when any step failed.
    bool session(Pop3Mailbox& box, const QByteArrayList& ids, const QList<int>& tops,
                 const QList<int>& subjects)
    {
        scriptLogin(Pipelining, static_cast<int>(ids.size()), uidl(ids));
        for (const int n : tops)
            m_server->reply(header(n));
        m_server->reply("+OK bye\r\n");
        if (!box.connect() || !box.login())
            return false;
        for (int n = 1; n <= ids.size(); ++n) {
            if (!box.fetchHeader(n) || box.message().subject() != "m" + std::to_string(subjects.at(n - 1)))
                return false;
        }
        return box.quit();
    }

private slots:
    void init()
    {
        m_server = std::make_unique<ScriptedServer>();
        QVERIFY(m_server->listen());
        std::filesystem::remove_all(std::filesystem::path(m_home.path().toStdString()) / "Cache");
        std::filesystem::remove(std::filesystem::path(m_home.path().toStdString()) / "setting.ini");
    }

    void capaDecidesBetweenLockstepAndWindows_data()
    {
        QTest::addColumn<QByteArray>("capa");
        QTest::addColumn<bool>("isPipelined");
        QTest::newRow("no CAPA") << QByteArray("-ERR unknown command\r\n") << false;
        QTest::newRow("CAPA without PIPELINING") << QByteArray("+OK\r\nTOP\r\nUIDL\r\n.\r\n") << false;
        QTest::newRow("PIPELINING") << Pipelining << true;
    }

    void capaDecidesBetweenLockstepAndWindows()
    {
        QFETCH(QByteArray, capa);
        QFETCH(bool, isPipelined);
        scriptLogin(capa, 3, "-ERR no UIDL here\r\n");
        const QByteArrayList replies = isPipelined
                                           ? QByteArrayList{header(1), header(2), header(3), "+OK\r\n"}
                                           : QByteArrayList{header(1), "+OK\r\n", header(2), header(3)};
        for (const QByteArray& reply : replies)
            m_server->reply(reply);
        m_server->reply("+OK bye\r\n");
        auto box = mailbox();
        QVERIFY(box->connect());
        QVERIFY(box->login());
        QCOMPARE(box->uniqueId(1), std::string());
        const int first = static_cast<int>(m_server->receivedLines().size());

        QVERIFY(box->fetchHeader(1));
        QCOMPARE(box->message().subject(), std::string("m1"));
        // A window asks for what follows at once; the lockstep asks for one header at a time.
        QCOMPARE(linesFrom(first).size(), isPipelined ? 3 : 1);
        QVERIFY(box->deleteMessage(1));
        // A DELE in a window waits for the next exchange.
        QCOMPARE(linesFrom(first).contains("DELE 1"), !isPipelined);
        QVERIFY(box->fetchHeader(2));
        QCOMPARE(box->message().subject(), std::string("m2"));
        QVERIFY(box->fetchHeader(3));
        QCOMPARE(box->message().subject(), std::string("m3"));
        QVERIFY(box->quit());
        const QList<QByteArray> pipelined{"TOP 1 0", "TOP 2 0", "TOP 3 0", "DELE 1", "QUIT"};
        const QList<QByteArray> lockstep{"TOP 1 0", "DELE 1", "TOP 2 0", "TOP 3 0", "QUIT"};
        QCOMPARE(linesFrom(first), isPipelined ? pipelined : lockstep);
    }

    void refusedHeaderInAWindowKeepsTheSession()
    {
        scriptLogin(Pipelining, 3, "-ERR\r\n");
        m_server->reply(header(1)).reply("-ERR message 2 is gone\r\n").reply(header(3));
        auto box = mailbox();
        QVERIFY(box->connect() && box->login());
        QVERIFY(box->fetchHeader(1));
        QVERIFY(!box->fetchHeader(2));
        QCOMPARE(box->failureText(), std::string("-ERR message 2 is gone"));
        QVERIFY(box->isSessionOpen());
        QVERIFY(box->fetchHeader(3));
        QCOMPARE(box->message().subject(), std::string("m3"));
    }

    void failureInAWindowAbortsTheSession_data()
    {
        QTest::addColumn<QList<ScriptedServer::Piece>>("second");
        QTest::addColumn<bool>("isCut");
        QTest::addColumn<bool>("isDeleteRefused");
        using Pieces = QList<ScriptedServer::Piece>;
        QTest::newRow("unreadable reply") << Pieces{{"garbage\r\n", 0}} << false << false;
        QTest::newRow("cut inside a reply") << Pieces{{"+OK\r\nSubject: m2\r\n", 0}} << true << false;
        QTest::newRow("silence") << Pieces{} << false << false;
        QTest::newRow("refused DELE") << Pieces{{header(2), 0}} << false << true;
    }

    void failureInAWindowAbortsTheSession()
    {
        QFETCH(QList<ScriptedServer::Piece>, second);
        QFETCH(bool, isCut);
        QFETCH(bool, isDeleteRefused);
        scriptLogin(Pipelining, 3, "-ERR\r\n");
        m_server->reply(header(1));
        if (isCut)
            m_server->replyAndClose(second);
        else if (second.isEmpty())
            m_server->ignoreLine();
        else
            m_server->reply(second);
        m_server->reply(header(3)).reply("-ERR mailbox locked\r\n").reply("+OK bye\r\n");
        auto box = mailbox(1);
        QVERIFY(box->connect() && box->login());

        if (!isDeleteRefused) {
            QVERIFY(!box->fetchHeader(1));
        } else {
            for (int n = 1; n <= 3; ++n)
                QVERIFY(box->fetchHeader(n));
            QVERIFY(box->deleteMessage(2));
            QVERIFY(!box->quit());
            QVERIFY(QString::fromStdString(box->failureText()).contains(QStringLiteral("mailbox locked")));
        }
        // Closed without QUIT: the server forgets every DELE of the session.
        QVERIFY(!box->isSessionOpen());
        QVERIFY(!m_server->receivedLines().contains("QUIT"));
        QVERIFY(!box->deleteMessage(3));
    }

    void cacheNeedsIdsThatTellMessagesApart_data()
    {
        QTest::addColumn<QByteArray>("uidlReply");
        QTest::addColumn<bool>("isSwitchedOff");
        QTest::addColumn<int>("secondTops");
        QTest::newRow("unique ids") << uidl({"a", "b"}) << false << 0;
        QTest::newRow("no UIDL") << QByteArray("-ERR unknown command\r\n") << false << 2;
        QTest::newRow("repeated id") << uidl({"a", "a"}) << false << 2;
        QTest::newRow("unreadable UIDL") << QByteArray("+OK\r\n1 a\r\nb\r\n.\r\n") << false << 2;
        QTest::newRow("switched off") << uidl({"a", "b"}) << true << 2;
    }

    void cacheNeedsIdsThatTellMessagesApart()
    {
        QFETCH(QByteArray, uidlReply);
        QFETCH(bool, isSwitchedOff);
        QFETCH(int, secondTops);
        if (isSwitchedOff) {
            QFile settings(m_home.filePath(QStringLiteral("setting.ini")));
            QVERIFY(settings.open(QIODevice::WriteOnly));
            settings.write("[General]\r\nHeaderCache=0\r\n");
        }
        auto box = mailbox(2);
        int start = 0;
        for (int round = 0; round < 2; ++round) {
            start = static_cast<int>(m_server->receivedLines().size());
            scriptLogin(Pipelining, 2, uidlReply);
            if (round == 0 || secondTops == 2)
                m_server->reply(header(1)).reply(header(2));
            m_server->reply("+OK bye\r\n");
            QVERIFY(box->connect() && box->login());
            QVERIFY(box->fetchHeader(1) && box->fetchHeader(2));
            QCOMPARE(box->message().subject(), std::string("m2"));
            QVERIFY(box->quit());
        }
        QCOMPARE(topsFrom(start), secondTops);
        // A fresh program reads the same from the file.
        auto fresh = mailbox(2);
        start = static_cast<int>(m_server->receivedLines().size());
        scriptLogin(Pipelining, 2, uidlReply);
        if (secondTops == 2)
            m_server->reply(header(1)).reply(header(2));
        m_server->reply("+OK bye\r\n");
        QVERIFY(fresh->connect() && fresh->login());
        QVERIFY(fresh->fetchHeader(1) && fresh->fetchHeader(2) && fresh->quit());
        QCOMPARE(topsFrom(start), secondTops);
    }

    void cacheFollowsTheMailbox()
    {
        auto box = mailbox();
        QVERIFY(session(*box, {"a", "b", "c"}, {1, 2, 3}, {1, 2, 3}));
        // Another client deleted b, and d arrived: only d crosses the wire.
        const int start = static_cast<int>(m_server->receivedLines().size());
        QVERIFY(session(*box, {"a", "c", "d"}, {4}, {1, 3, 4}));
        QCOMPARE(topsFrom(start), 1);
        QVERIFY(linesFrom(start).contains("TOP 3 0"));

        HeaderCache onDisk;
        onDisk.open(cacheFile(), "anna@127.0.0.1:" + std::to_string(m_server->port()));
        QCOMPARE(onDisk.size(), std::size_t(3));
        QVERIFY(!onDisk.find("b"));
        QCOMPARE(*onDisk.find("d"), std::string("Subject: m4\r\n\r\n"));
        QCOMPARE(std::filesystem::status(cacheFile()).permissions() & std::filesystem::perms::all,
                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }

    void brokenCacheFileIsRebuilt_data()
    {
        QTest::addColumn<int>("cut");
        QTest::addColumn<QByteArray>("replacement");
        QTest::newRow("cut short") << 7 << QByteArray();
        QTest::newRow("garbage") << 0 << QByteArray("\x00\xff garbage\n2\n");
        QTest::newRow("another account's file") << 0 << QByteArray("VantorHeaderCache 1\nanna@x\n99999\n");
    }

    void brokenCacheFileIsRebuilt()
    {
        QFETCH(int, cut);
        QFETCH(QByteArray, replacement);
        QVERIFY(session(*mailbox(), {"a", "b"}, {1, 2}, {1, 2}));
        QFile file(QString::fromStdString(cacheFile().string()));
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (cut > 0) {
            QVERIFY(file.resize(file.size() - cut));
        } else {
            QVERIFY(file.resize(0));
            file.write(replacement);
        }
        file.close();

        // Ignored: every header is fetched again, and the file is whole once more.
        QVERIFY(session(*mailbox(), {"a", "b"}, {1, 2}, {1, 2}));
        const int start = static_cast<int>(m_server->receivedLines().size());
        QVERIFY(session(*mailbox(), {"a", "b"}, {}, {1, 2}));
        QCOMPARE(topsFrom(start), 0);
    }
};

QTEST_GUILESS_MAIN(Pop3SpeedUpsTest)
#include "Pop3SpeedUpsTest.moc"
