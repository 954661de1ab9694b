#include "CheckFixture.h"
#include "TestMailServer.h"
#include "core/accounts/AccountStore.h"
#include "core/check/CheckLock.h"
#include "core/check/Pop3Mailbox.h"
#include "core/manager/EMailManager.h"
#include "support/ScriptedServer.h"
#include "support/TestFiles.h"

#include <QTest>

#include <functional>

using namespace vantor;
using core::ManagerRow;
using support::ScriptedServer;
using test::CheckFixture;
using test::TestMailServer;

namespace {

// What the session showed, as the page would.
class RecordingView : public core::ManagerView
{
public:
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void setStatus(const QString& text) override { status = text; }
    void setConnected(bool isConnected) override { connected = isConnected; }
    void clearView() override { rows.clear(); }
    void addRow(const ManagerRow& row) override
    {
        rows.push_back(row);
        ++rowsAdded;
        if (onRow)
            onRow();
    }
    void setProgress(int current, int total) override { progress.append({current, total}); }

    QStringList subjects() const
    {
        QStringList list;
        for (const ManagerRow& row : rows)
            list.append(QString::fromStdString(row.subject));
        return list;
    }

    int busyDepth = 0;
    QString status;
    bool connected = false;
    std::vector<ManagerRow> rows;
    int rowsAdded = 0;
    QList<QPair<int, int>> progress;
    std::function<void()> onRow;
};

// A home with one account "Box" on the server, and the manager over a mailbox of its own.
struct Rig
{
    explicit Rig(const QString& host, quint16 port, const QString& user,
                 const QString& password = TestMailServer::Password)
        : accounts(f.home, f.errorLog)
        , manager({f.home, f.texts, f.errorLog, f.prompts, f.detector, accounts}, mailbox, view)
    {
        mailbox.setTimeOut(5);
        f.addAccount(QStringLiteral("Box"), host, port, user, password);
    }

    void connect() { manager.connectAndList("Box"); }

    CheckFixture f;
    core::AccountStore accounts;
    core::Pop3Mailbox mailbox;
    RecordingView view;
    core::EMailManager manager;
};

QByteArray plainMail(const QByteArray& subject, const QByteArray& from = "someone@example.org")
{
    return "From: " + from + "\r\nTo: me@example.org\r\nSubject: " + subject +
           "\r\nDate: Tue, 05 Feb 2002 10:20:30 +0100\r\n\r\nBody of " + subject + "\r\n";
}

// A sample as delivered, without the mbox "From " line some samples start with.
QByteArray sample(const QString& relative)
{
    QByteArray bytes = test::TestFiles::read(QStringLiteral(VANTOR_TEST_DATA "/") + relative);
    if (bytes.startsWith("From "))
        bytes.remove(0, bytes.indexOf('\n') + 1);
    return bytes;
}

// The size a POP3 server lists: every line ending counted as CR LF.
qint64 listedSize(const QByteArray& bytes)
{
    return bytes.size() + bytes.count('\n') - bytes.count("\r\n");
}

} // namespace

// The EMail Manager against a real POP3 server (and a scripted one for a header that fails to arrive).
class EMailManagerTest : public QObject
{
    Q_OBJECT

private:
    TestMailServer m_server;

private slots:
    void initTestCase() { QVERIFY2(m_server.start(8), qPrintable(m_server.errorText())); }

    // One row per message with its own subject, sender and listed size; a GB2312 and a UTF-8 body read
    // right; the priority word of the loaded message.
    void listsAndRetrieves()
    {
        const QString user = m_server.newUser();
        const QByteArray gb = sample(QStringLiteral("spamassassin/nice/cjk/gb2312.1"));
        const QByteArray utf8 = sample(QStringLiteral("spamassassin/spam/unicode1"));
        const QByteArray urgent = "X-Priority: 1\r\n" + plainMail("Urgent", "boss@example.org");
        for (const QByteArray& bytes : {gb, utf8, urgent})
            m_server.putMessage(user, bytes);
        Rig rig(m_server.host(), m_server.port(), user);

        rig.connect();
        QVERIFY(rig.view.connected);
        QCOMPARE(rig.view.status, QStringLiteral("Ready"));
        QCOMPARE(rig.view.busyDepth, 0);
        QCOMPARE(rig.view.rows.size(), 3u);
        QVERIFY(QString::fromStdString(rig.view.rows[0].subject).startsWith(QStringLiteral("全新原装进口，送货上门，货到付款")));
        QCOMPARE(rig.view.subjects().mid(1), (QStringList{QStringLiteral("foo"), QStringLiteral("Urgent")}));
        QCOMPARE(rig.view.rows[1].from, "renterr989@hotmail.com");
        QCOMPARE(rig.view.rows[2].from, "boss@example.org");
        QCOMPARE(rig.view.rows[0].size, listedSize(gb));
        QCOMPARE(rig.view.rows[2].size, listedSize(urgent));
        QCOMPARE(rig.view.progress.last(), qMakePair(0, 0));
        QVERIFY(rig.view.progress.contains(qMakePair(3, 3)));

        const auto chinese = rig.manager.retrieve(1);
        QVERIFY(chinese);
        QVERIFY(QString::fromStdString(chinese->body).startsWith(QStringLiteral("  台湾鑫龙商贸集团公司向您拜年! ")));
        QVERIFY(chinese->body.size() < std::size_t(gb.size()) * 2);
        const auto unicode = rig.manager.retrieve(2);
        QVERIFY(unicode);
        QVERIFY(QString::fromStdString(unicode->body).contains(QStringLiteral("【重要訊息】台電105年3月電費")));
        QCOMPARE(core::EMailManager::priorityWord(rig.f.texts, unicode->priority), "Normal");
        const auto high = rig.manager.retrieve(3);
        QVERIFY(high);
        QCOMPARE(high->from, "boss@example.org");
        QCOMPARE(high->recipients, "me@example.org");
        QCOMPARE(core::EMailManager::priorityWord(rig.f.texts, high->priority), "Highest");
        QCOMPARE(core::EMailManager::priorityWord(rig.f.texts, 9), "Lowest");
        QVERIFY(rig.f.errorEntries().isEmpty());
    }

    // A body longer than the memo holds is cut after its ten-thousandth character, not inside one.
    void longBodyIsCut()
    {
        const QString user = m_server.newUser();
        QByteArray body;
        for (int i = 0; i < 6000; ++i)
            body += "\xc3\xa9\xe2\x82\xac"; // "é€", two characters
        m_server.putMessage(user, "Subject: long\r\nContent-Type: text/plain; charset=utf-8\r\n"
                                  "Content-Transfer-Encoding: 8bit\r\n\r\n" + body + "\r\n");
        Rig rig(m_server.host(), m_server.port(), user);
        rig.connect();
        const auto loaded = rig.manager.retrieve(1);
        QVERIFY(loaded);
        const QString text = QString::fromStdString(loaded->body);
        QCOMPARE(text.size(), 10000);
        QVERIFY(text.endsWith(QStringLiteral("é€")));
    }

    // No answers No, then Yes: exactly the two ticked of five are gone and the listing shows the rest.
    void deletesTheTickedMessages()
    {
        const QString user = m_server.newUser();
        QStringList names;
        for (int n = 1; n <= 5; ++n)
            names.append(m_server.putMessage(user, plainMail("Message " + QByteArray::number(n))));
        Rig rig(m_server.host(), m_server.port(), user);
        rig.connect();
        QCOMPARE(rig.view.rows.size(), 5u);

        rig.manager.deleteMessages({2, 4}, "Box");
        QCOMPARE(rig.f.prompts.questions, QStringList{QStringLiteral("Delete message?")});
        QVERIFY(rig.manager.isConnected());
        QCOMPARE(rig.view.rows.size(), 5u);

        const int ended = m_server.endedSessions();
        rig.f.prompts.yesNoAnswers = {true};
        rig.manager.deleteMessages({2, 4}, "Box");
        QVERIFY(m_server.waitForEndedSessions(ended + 1));
        QCOMPARE(m_server.listMaildir(user), (QStringList{names[0], names[2], names[4]}));
        QVERIFY(rig.manager.isConnected());
        QCOMPARE(rig.view.subjects(), (QStringList{QStringLiteral("Message 1"), QStringLiteral("Message 3"),
                                                   QStringLiteral("Message 5")}));
        QVERIFY(rig.f.prompts.errors.isEmpty());
    }

    // Disconnect in the middle of the listing stops it, sends no QUIT (the server keeps everything) and
    // lets a check have the mailbox again; an empty mailbox lists no row.
    void disconnectStopsAndKeepsEverything()
    {
        const QString user = m_server.newUser();
        for (int n = 1; n <= 6; ++n)
            m_server.putMessage(user, plainMail("Message " + QByteArray::number(n)));
        Rig rig(m_server.host(), m_server.port(), user);
        rig.view.onRow = [&rig] {
            if (rig.view.rowsAdded == 2)
                rig.manager.disconnect();
        };
        rig.connect();
        QCOMPARE(rig.view.rowsAdded, 2);
        QVERIFY(rig.view.rows.empty());
        QVERIFY(!rig.view.connected);
        QVERIFY(!rig.manager.isConnected());
        QCOMPARE(rig.view.status, QStringLiteral("Ready"));
        QCOMPARE(rig.view.busyDepth, 0);
        core::CheckLock lock(rig.f.home);
        QVERIFY(lock.acquire(std::chrono::milliseconds(0), *rig.f.mailbox));
        QVERIFY(m_server.waitForEndedSessions(1));
        QCOMPARE(m_server.listMaildir(user).size(), 6);

        Rig empty(m_server.host(), m_server.port(), m_server.newUser());
        empty.connect();
        QVERIFY(empty.view.connected);
        QCOMPARE(empty.view.status, QStringLiteral("Ready"));
        QVERIFY(empty.view.rows.empty());
    }

    // A refused login is logged with 00007, shown, and leaves the manager ready to connect again.
    void refusedLogin()
    {
        Rig rig(m_server.host(), m_server.port(), m_server.newUser(), QStringLiteral("wrong"));
        rig.connect();
        QVERIFY(!rig.view.connected);
        QCOMPARE(rig.view.status, QStringLiteral("ERROR: failed on login"));
        QCOMPARE(rig.f.prompts.errors, QStringList{QStringLiteral("Failed on login.")});
        QCOMPARE(rig.f.errorEntries(), QStringList{QStringLiteral(" 00007 - failed on login to 127.0.0.1")});
        QCOMPARE(rig.view.busyDepth, 0);
    }

    // The manager's session and a check never share a mailbox: the check waits and then refuses while the
    // manager is connected, deleting nothing; the manager does not connect while a check holds the home.
    void neverBesideACheck()
    {
        const QString user = m_server.newUser();
        m_server.putMessage(user, plainMail("Cheap pills"));
        Rig rig(m_server.host(), m_server.port(), user);
        rig.connect();
        QVERIFY(rig.manager.isConnected());

        rig.f.services.lockPatience = std::chrono::milliseconds(300);
        QCOMPARE(rig.f.checks->startCheck(core::CheckMode::Automatic), core::CheckGuards::Outcome::Locked);
        QCOMPARE(rig.f.prompts.errors,
                 QStringList{QStringLiteral("Another check is running on this home directory.")});
        QVERIFY(rig.manager.isConnected());
        rig.manager.disconnect();
        QVERIFY(m_server.waitForEndedSessions(1));
        QCOMPARE(m_server.listMaildir(user).size(), 1);

        core::CheckLock checkLock(rig.f.home);
        QVERIFY(checkLock.acquire(std::chrono::milliseconds(0), *rig.f.mailbox));
        rig.f.prompts.errors.clear();
        rig.connect();
        QVERIFY(!rig.manager.isConnected());
        QCOMPARE(rig.f.prompts.errors,
                 QStringList{QStringLiteral("A mail check is using the mailboxes. Connect when it has ended.")});
    }

    // A header that fails to arrive gets no row; its neighbours keep their own numbers for Retrieve and
    // Delete. A session that breaks under DELE is closed without QUIT and the user is told.
    void failedHeaderKeepsNumbers()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        server.greet("+OK ready\r\n").reply("+OK\r\n").reply("+OK\r\n").reply("+OK\r\n1 40\r\n2 40\r\n3 40\r\n.\r\n");
        server.reply("+OK\r\nSubject: one\r\n\r\n.\r\n")
            .reply("-ERR no such message\r\n")
            .reply("+OK\r\nSubject: three\r\n\r\n.\r\n")
            .reply("+OK\r\nSubject: three\r\nFrom: c@example.org\r\n\r\nthird body\r\n.\r\n")
            .replyAndClose();
        server.greet("+OK ready\r\n").reply("+OK\r\n").reply("+OK\r\n").reply("+OK\r\n.\r\n");
        Rig rig(server.host(), server.port(), QStringLiteral("u"), QStringLiteral("p"));

        rig.connect();
        QCOMPARE(rig.view.subjects(), (QStringList{QStringLiteral("one"), QStringLiteral("three")}));
        QCOMPARE(rig.view.rows[1].messageNumber, 3);
        QCOMPARE(rig.f.errorEntries(),
                 QStringList{QStringLiteral(" 00007 - failed on retrive message from 127.0.0.1")});
        const auto third = rig.manager.retrieve(rig.view.rows[1].messageNumber);
        QVERIFY(third);
        QCOMPARE(third->body, "third body\r\n");

        rig.f.prompts.yesNoAnswers = {true};
        rig.manager.deleteMessages({rig.view.rows[1].messageNumber}, "Box");
        const QList<QByteArray> lines = server.receivedLines();
        QVERIFY(lines.contains("DELE 3"));
        QVERIFY(!lines.contains("QUIT"));
        QCOMPARE(rig.f.prompts.errors, QStringList{QStringLiteral(
                     "Not every selected message could be deleted on 127.0.0.1; the list shows what is left.")});
        QCOMPARE(server.connectionCount(), 2);
        QVERIFY(rig.view.connected);
        QVERIFY(rig.view.rows.empty());
    }
};

QTEST_GUILESS_MAIN(EMailManagerTest)
#include "EMailManagerTest.moc"
