#include "platform/XdgAutostart.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using vantor::platform::StartupEntry;
using vantor::platform::XdgAutostart;

class XdgAutostartTest : public QObject
{
    Q_OBJECT

private slots:
    void entryIsWrittenReplacedAndRemoved()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        XdgAutostart autostart;
        QCOMPARE(XdgAutostart::folder(), config.path() + QStringLiteral("/autostart"));
        const QString name = QStringLiteral("EMail Vantor 2.5 xp");
        QVERIFY(autostart.remove(name));
        QVERIFY(autostart.add({name,
                               QStringLiteral("/opt/vantor/emailvantor"),
                               {QStringLiteral("--home"), QStringLiteral("/h")}}));
        QVERIFY(autostart.add({name,
                               QStringLiteral("/opt/vantor/emailvantor"),
                               {QStringLiteral("--home"), QStringLiteral("/data")}}));
        QVERIFY(autostart.contains(name));
        QFile file(config.filePath(QStringLiteral("autostart/EMail Vantor 2.5 xp.desktop")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.startsWith("[Desktop Entry]\nType=Application\nName=EMail Vantor 2.5 xp\n"),
                 text.constData());
        QVERIFY2(text.contains("\nExec=/opt/vantor/emailvantor --home /data\n"), text.constData());
        file.close();
        QVERIFY(autostart.remove(name));
        QVERIFY(!autostart.contains(name));
        qunsetenv("XDG_CONFIG_HOME");
        QVERIFY(XdgAutostart::folder().endsWith(QStringLiteral("/.config/autostart")));
    }

    // A home folder with blanks, quotes, dollars, backslashes and per cents still reaches the program whole.
    void execLineQuotesWhatTheLauncherWouldSplit()
    {
        QCOMPARE(
            XdgAutostart::execLine(QStringLiteral("/usr/bin/vantor"),
                                   {QStringLiteral("--home"), QStringLiteral("/home/a b/\"x\" $y\\z 100%")}),
            QStringLiteral("/usr/bin/vantor --home \"/home/a b/\\\\\"x\\\\\" \\\\$y\\\\\\\\z 100%%\""));
    }
};

QTEST_MAIN(XdgAutostartTest)
#include "XdgAutostartTest.moc"
