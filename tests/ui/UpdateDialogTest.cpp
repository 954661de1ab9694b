#include "ui/dialogs/UpdateDialog.h"

#include "ModalDialogs.h"
#include "RecordingShellOpen.h"
#include "support/HttpTestServer.h"
#include "support/ScriptedUserPrompts.h"

#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using support::HttpTestServer;
using test::child;

// The update window driven through its buttons against an HTTP server in the test process.
class UpdateDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void checkThenDownloadThroughTheSaveDialog()
    {
        HttpTestServer server;
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        const QByteArray program(5 * 1024, 'x');
        HttpTestServer::Response exe;
        exe.body = program;
        exe.headers = {{"Last-Modified", "Mon, 07 Dec 2026 08:00:00 GMT"}};
        server.setResponse(QStringLiteral("/pub/emailvantor.exe"), exe);
        HttpTestServer::Response versionFile;
        versionFile.body = "version=3.0.0.0\r\nsize=5120\r\n";
        server.setResponse(QStringLiteral("/pub/emailvantor.ver"), versionFile);

        QTemporaryDir dir;
        QFile info(dir.filePath(QStringLiteral("emailvantor.inf")));
        QVERIFY(info.open(QIODevice::WriteOnly));
        info.write("emailvantor=" + server.url(QStringLiteral("/pub/emailvantor")).toEncoded() + "\r\n");
        info.close();
        test::ScriptedUserPrompts prompts;
        test::RecordingShellOpen shell;
        ui::UpdateDialog dialog(
            {dir.filePath(QStringLiteral("emailvantor")), prompts, shell, QStringLiteral("2.5.0.0")});
        QCOMPARE(child<QLabel>(dialog, "LocalVersionLabel").text(),
                 QStringLiteral("Local  EMail Vantor  version:  2.5.0.0"));
        dialog.showUpdate();
        QVERIFY(dialog.isVisible());

        auto& check = child<QPushButton>(dialog, "CheckBtn");
        auto& download = child<QPushButton>(dialog, "DownloadBtn");
        QVERIFY(!download.isEnabled());
        QCOMPARE(check.toolTip(), QStringLiteral("Check last version of program"));
        QTest::mouseClick(&check, Qt::LeftButton);
        QTRY_VERIFY(download.isEnabled());
        QVERIFY(check.isEnabled());
        QCOMPARE(child<QLabel>(dialog, "RemoteVersionLabel").text(),
                 QStringLiteral("Program file version:  3.0.0.0"));
        QCOMPARE(child<QLabel>(dialog, "FileSizeLabel").text(), QStringLiteral("EXE file size:  5 Kb"));
        QCOMPARE(child<QLabel>(dialog, "LastModifiedLabel").text(),
                 QStringLiteral("Last modified:  mon, 07 dec 2026 08:00:00 gmt"));
        QCOMPARE(child<QProgressBar>(dialog, "ProgressBar").maximum(), 5);

        // The save dialog offers the server's file name in the program's folder; the user names another.
        test::ModalDialogs dialogs;
        QStringList offered;
        const QString target = dir.filePath(QStringLiteral("update"));
        dialogs.setAnswer(QStringLiteral("SaveDownloadDialog"), [&](QWidget& widget) {
            auto& save = static_cast<QFileDialog&>(widget);
            offered << save.windowTitle() << save.nameFilters() << save.defaultSuffix()
                    << save.selectedFiles().value(0);
            test::ModalDialogs::chooseFile(target)(widget);
        });
        QTest::mouseClick(&download, Qt::LeftButton);
        QCOMPARE(offered,
                 QStringList({QStringLiteral("Save downloaded file as"), QStringLiteral("Exe file (*.exe)"),
                              QStringLiteral("Any file (*)"), QStringLiteral("exe"),
                              dir.filePath(QStringLiteral("emailvantor.exe"))}));
        // The default extension is added to the name typed without one.
        QTRY_COMPARE(shell.openedUrls, QList<QUrl>({QUrl::fromLocalFile(target + QStringLiteral(".exe"))}));
        QFile saved(target + QStringLiteral(".exe"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), program);
        QCOMPARE(child<QProgressBar>(dialog, "ProgressBar").value(), 5);
        QVERIFY(download.isEnabled());
        QVERIFY(!child<QPushButton>(dialog, "AbortBtn").isEnabled());
        QCOMPARE(prompts.errors, QStringList());
    }
};

QTEST_MAIN(UpdateDialogTest)
#include "UpdateDialogTest.moc"
