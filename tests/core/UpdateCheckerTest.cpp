#include "core/update/UpdateChecker.h"

#include "RecordingShellOpen.h"
#include "support/HttpTestServer.h"
#include "support/ScriptedUserPrompts.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vantor;
using namespace Qt::StringLiterals;
using core::UpdateChecker;
using support::HttpTestServer;
using Response = HttpTestServer::Response;

namespace {

const QString Exe = QStringLiteral("/dl/emailvantor.exe");
const QString Ver = QStringLiteral("/dl/emailvantor.ver");

QByteArray programBytes(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7919) >> 3);
    return bytes;
}

// The program as installed in a temporary folder, with its information file and what it has shown.
struct Installation
{
    QTemporaryDir dir;
    test::ScriptedUserPrompts prompts;
    test::RecordingShellOpen shell;
    std::unique_ptr<UpdateChecker> checker;

    // Names base in the information file; trusts caPath for https when given.
    explicit Installation(const QUrl& base, const QString& caPath = {}, int timeoutMs = 30000)
    {
        if (base.isValid())
            writeFile(QStringLiteral("emailvantor.inf"),
                      "other=http://wrong.invalid/x\r\nEMailVantor=" + base.toEncoded() + "\r\n");
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        if (!caPath.isEmpty())
            ssl.setCaCertificates(QSslCertificate::fromPath(caPath));
        checker = std::make_unique<UpdateChecker>(
            UpdateChecker::Services{dir.filePath(QStringLiteral("emailvantor")), prompts, shell,
                                    UpdateChecker::programVersion(), ssl, timeoutMs});
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Runs one command to its end.
    bool run(const std::function<void()>& command)
    {
        QSignalSpy done(checker.get(), &UpdateChecker::finished);
        command();
        return done.wait(20000);
    }
    bool check()
    {
        return checker->open() && run([this] { checker->check(); });
    }
    QStringList folder() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
};

} // namespace

class UpdateCheckerTest : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_http;
    HttpTestServer m_https{true};

    QUrl base(HttpTestServer& server, const QString& host = QStringLiteral("127.0.0.1"))
    {
        return server.url(QStringLiteral("/dl/emailvantor"), host);
    }
    void publish(HttpTestServer& server, const QByteArray& versionFile, const QByteArray& program)
    {
        Response exe;
        exe.body = program;
        exe.headers = {{"Last-Modified", "Thu, 10 Dec 2026 16:48:13 GMT"}};
        server.setResponse(Exe, exe);
        server.setResponse(Ver, Response{200, versionFile, {}, -1, 0, 0});
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_http.start(), qPrintable(m_http.errorText()));
        QVERIFY2(m_https.start(), qPrintable(m_https.errorText()));
    }

    void checkOffersADifferentPublishedVersion_data()
    {
        QTest::addColumn<QByteArray>("versionFile");
        QTest::addColumn<int>("programSize");
        QTest::addColumn<QString>("shownVersion");
        QTest::addColumn<QString>("shownSize");
        QTest::addColumn<bool>("canDownload");
        const QByteArray local = UpdateChecker::programVersion().toLatin1();
        QTest::newRow("newer") << QByteArray("version=9.0.0.1\r\nsize=999999\r\n") << 3 * 1024 + 5
                               << "9.0.0.1"
                               << "3 Kb" << true;
        QTest::newRow("same") << "version=" + local + "\n"
                              << 3 * 1024 << QString::fromLatin1(local) << "3 Kb" << false;
        QTest::newRow("lower") << QByteArray("Version = 1.0.0.0\n") << 1024 << "1.0.0.0"
                               << "1 Kb" << true;
        // Without a Content-Length the size the version file gives is shown.
        QTest::newRow("size from version file") << QByteArray("version=9.0\nsize=10240\n") << 0 << "9.0"
                                                << "10 Kb" << true;
        QTest::newRow("no version") << QByteArray("hello\n") << 2048 << "Unknown"
                                    << "2 Kb" << false;
    }

    void checkOffersADifferentPublishedVersion()
    {
        QFETCH(QByteArray, versionFile);
        QFETCH(int, programSize);
        publish(m_http, versionFile, programBytes(programSize));
        const qsizetype before = m_http.requests().size();
        Installation app(base(m_http));
        QVERIFY(app.check());

        const core::UpdateState& state = app.checker->state();
        QCOMPARE(app.prompts.errors, QStringList());
        QCOMPARE(m_http.requests().mid(before), QStringList({u"HEAD "_s + Exe, u"GET "_s + Ver}));
        QCOMPARE(state.homeSite, QStringLiteral("Home site:  127.0.0.1"));
        QTEST(state.remoteVersion.mid(QStringLiteral("Program file version:  ").size()), "shownVersion");
        QCOMPARE(state.remoteVersion.left(23), QStringLiteral("Program file version:  "));
        QTEST(state.remoteVersion.mid(23), "shownVersion");
        QTEST(state.fileSize.mid(QStringLiteral("EXE file size:  ").size()), "shownSize");
        QCOMPARE(state.lastModified, QStringLiteral("Last modified:  thu, 10 dec 2026 16:48:13 gmt"));
        QTEST(state.canDownload, "canDownload");
        QVERIFY(state.canCheck);
        QVERIFY(!state.canAbort);
        QCOMPARE(state.progressValue, 0);
    }

    void notFoundStopsAfterTheHeadRequest()
    {
        publish(m_http, "version=9\n", {});
        Installation app(m_http.url(QStringLiteral("/gone/emailvantor")));
        const qsizetype before = m_http.requests().size();
        QVERIFY(app.check());
        QCOMPARE(app.prompts.errors, QStringList({QStringLiteral("HTTP error: 404\nRequest aborted.")}));
        QCOMPARE(m_http.requests().mid(before), QStringList({QStringLiteral("HEAD /gone/emailvantor.exe")}));
        QVERIFY(!app.checker->state().canDownload);
        QVERIFY(app.checker->state().canCheck);
    }

    // The file arrives whole, the bar moves through it, and the desktop is asked to open it.
    void downloadSavesReportsProgressAndOpens()
    {
        const QByteArray program = programBytes(64 * 1024);
        publish(m_http, "version=9\n", program);
        Response slow{200, program, {}, -1, 8 * 1024, 20};
        m_http.setResponse(Exe, slow);
        Installation app(base(m_http));
        QVERIFY(app.check());
        QVERIFY(app.checker->state().canDownload);
        QCOMPARE(app.checker->state().progressMax, 64);
        QCOMPARE(app.checker->proposedDownloadPath(), app.path(QStringLiteral("emailvantor.exe")));

        QList<int> progress;
        connect(app.checker.get(), &UpdateChecker::stateChanged, this,
                [&] { progress << app.checker->state().progressValue; });
        app.shell.urlOpens = false;
        const QString target = app.path(QStringLiteral("new.exe"));
        QVERIFY(app.run([&] {
            app.checker->download(target);
            QVERIFY(!app.checker->state().canCheck);
            QVERIFY(app.checker->state().canAbort);
        }));
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), program);
        QCOMPARE(app.shell.openedUrls, QList<QUrl>({QUrl::fromLocalFile(target)}));
        QCOMPARE(app.prompts.errors, QStringList({u"Cannot open "_s + QDir::toNativeSeparators(target) +
                                                  u"\nTry to extract it manually."_s}));
        QVERIFY(std::is_sorted(progress.begin(), progress.end()));
        QVERIFY2(std::any_of(progress.begin(), progress.end(), [](int kb) { return kb > 0 && kb < 64; }),
                 "no progress between start and end");
        QCOMPARE(progress.last(), 64);
        QVERIFY(app.checker->state().canDownload);
        QVERIFY(app.checker->state().canCheck);
    }

    // A body that ends before its Content-Length, or one the user aborts, leaves nothing behind: no
    // partial program, no temporary file, and a file that had the name before keeps its bytes.
    void failedOrAbortedDownloadLeavesNothing()
    {
        const QByteArray program = programBytes(256 * 1024);
        publish(m_http, "version=9\n", program);
        Installation app(base(m_http));
        QVERIFY(app.check());
        app.writeFile(QStringLiteral("old.exe"), "the old program");
        const QStringList before = app.folder();

        m_http.setResponse(Exe, Response{200, program.left(100 * 1024), {}, program.size(), 0, 0});
        QVERIFY(app.run([&] { app.checker->download(app.path(QStringLiteral("old.exe"))); }));
        QCOMPARE(app.prompts.errors.size(), 1);
        QVERIFY2(app.prompts.errors[0].startsWith(QStringLiteral("Download error:\n")),
                 qPrintable(app.prompts.errors[0]));
        QCOMPARE(app.folder(), before);
        QFile old(app.path(QStringLiteral("old.exe")));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the old program"));
        QVERIFY(!app.checker->state().canDownload);
        QCOMPARE(app.checker->state().progressValue, 0);
        QVERIFY(app.shell.openedUrls.isEmpty());

        m_http.setResponse(Exe, Response{200, program, {}, -1, 4 * 1024, 50});
        QSignalSpy done(app.checker.get(), &UpdateChecker::finished);
        app.checker->download(app.path(QStringLiteral("new.exe")));
        QTRY_VERIFY_WITH_TIMEOUT(app.checker->state().progressValue > 0, 10000);
        app.checker->abort();
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 10000);
        QCOMPARE(app.prompts.errors.size(), 1);
        QCOMPARE(app.folder(), before);
        QVERIFY(app.checker->state().canDownload);
        QVERIFY(app.checker->state().canCheck);
        QVERIFY(!app.checker->state().canAbort);
        QCOMPARE(app.checker->state().progressValue, 0);
        QVERIFY(app.shell.openedUrls.isEmpty());
    }

    // A redirect stays on its host, or goes to another one over https only; never from https to http.
    void redirectsAreFollowedOnlyOverHttpsToAnotherHost_data()
    {
        QTest::addColumn<bool>("fromTls");
        QTest::addColumn<bool>("toTls");
        QTest::addColumn<QString>("toHost");
        QTest::addColumn<bool>("isFollowed");
        QTest::newRow("http to http, another host") << false << false << "localhost" << false;
        QTest::newRow("http to https, another host") << false << true << "localhost" << true;
        QTest::newRow("https to https, another host") << true << true << "localhost" << true;
        QTest::newRow("https to http, same host") << true << false << "127.0.0.1" << false;
    }

    void redirectsAreFollowedOnlyOverHttpsToAnotherHost()
    {
        QFETCH(bool, fromTls);
        QFETCH(bool, toTls);
        QFETCH(QString, toHost);
        HttpTestServer& from = fromTls ? m_https : m_http;
        HttpTestServer& to = toTls ? m_https : m_http;
        publish(to, "version=9\n", programBytes(1024));
        for (const QString& suffix : {QStringLiteral(".exe"), QStringLiteral(".ver")}) {
            Response moved{302, {}, {}, -1, 0, 0};
            moved.headers = {{"Location", base(to, toHost).toEncoded() + suffix.toLatin1()}};
            from.setResponse(QStringLiteral("/moved/emailvantor") + suffix, moved);
        }
        Installation app(from.url(QStringLiteral("/moved/emailvantor")), m_https.caCertificatePath());
        QVERIFY(app.check());

        QFETCH(bool, isFollowed);
        if (isFollowed) {
            QCOMPARE(app.prompts.errors, QStringList());
            QCOMPARE(app.checker->state().remoteVersion, QStringLiteral("Program file version:  9"));
            QVERIFY(app.checker->state().canDownload);
        } else {
            QCOMPARE(app.prompts.errors.size(), 1);
            QVERIFY2(app.prompts.errors[0].startsWith(QStringLiteral("Get version error:\n")) &&
                         app.prompts.errors[0].contains(QStringLiteral(" refused: ")),
                     qPrintable(app.prompts.errors[0]));
            QVERIFY(!app.checker->state().canDownload);
        }
    }

    // Without the test's CA the server's certificate is refused, and the user reads why.
    void untrustedCertificateFailsTheCheck()
    {
        publish(m_https, "version=9\n", programBytes(1024));
        Installation app(base(m_https));
        const qsizetype before = m_https.requests().size();
        QVERIFY(app.check());
        QCOMPARE(app.prompts.errors.size(), 1);
        const QString error = app.prompts.errors[0];
        QVERIFY2(error.startsWith(QStringLiteral("Get version error:\n")) && error.size() > 20,
                 qPrintable(error));
        QCOMPARE(m_https.requests().size(), before);
        QVERIFY(!app.checker->state().canDownload);
    }

    // A server that goes silent in the middle of the version file does not keep the window waiting.
    void silentServerTimesOut()
    {
        publish(m_http, {}, programBytes(1024));
        m_http.setResponse(Ver, Response{200, "version=9\n" + QByteArray(4096, '#'), {}, -1, 16, 5000});
        Installation app(base(m_http), {}, 500);
        QVERIFY(app.check());
        QCOMPARE(app.prompts.errors,
                 QStringList({u"Get version error:\nThe server did not answer within 0.5 seconds."_s}));
        QVERIFY(app.checker->state().canCheck);
    }

    void openNeedsAnAddressBesideTheProgram()
    {
        Installation missing{QUrl()};
        QVERIFY(!missing.checker->open());
        const QString info = QDir::toNativeSeparators(missing.path(QStringLiteral("emailvantor.inf")));
        QCOMPARE(missing.prompts.errors,
                 QStringList({u"Information file: "_s + info +
                              u" doesn't exist,\nSource URL not defined,\nUpdate aborted."_s}));

        // A local file is no update server.
        Installation local{QUrl()};
        local.writeFile(QStringLiteral("emailvantor.inf"), "emailvantor=file:///etc/passwd\n");
        QVERIFY(!local.checker->open());
        QCOMPARE(local.prompts.errors.size(), 1);
        QVERIFY(local.prompts.errors[0].endsWith(QStringLiteral("Source URL not defined,\nUpdate aborted.")));
    }
};

QTEST_GUILESS_MAIN(UpdateCheckerTest)
#include "UpdateCheckerTest.moc"
