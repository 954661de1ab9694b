#include "CheckFixture.h"
#include "RecordingShellOpen.h"
#include "TestMailServer.h"
#include "app/Session.h"
#include "filter/Profile.h"
#include "storage/SettingKeys.h"
#include "support/TestFiles.h"
#include "ui/MainForm.h"
#include "ui/MainToolBar.h"
#include "ui/pages/EMailManagerPage.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace vantor;
using test::CheckFixture;

// The EMail Manager page driven through its buttons in the main window, offscreen, against a real server.
class EMailManagerPageTest : public QObject
{
    Q_OBJECT

private:
    test::TestMailServer m_server;
    CheckFixture m_fixture;
    test::RecordingShellOpen m_shell;
    std::unique_ptr<app::Session> m_session;
    ui::MainForm* m_form = nullptr;

    template <typename Widget> Widget& child(const char* objectName)
    {
        auto* widget = m_form->findChild<Widget*>(QString::fromLatin1(objectName));
        if (!widget)
            qFatal("no child %s", objectName);
        return *widget;
    }
    void click(const char* button) { QTest::mouseClick(&child<QPushButton>(button), Qt::LeftButton); }
    // Which of Connect, Disconnect, Retrieve Message and Delete Selected are enabled, as "1000".
    QString buttons()
    {
        QString states;
        for (const char* name : {"EMailInfoBtn", "EMailInfo2Btn", "EMailInfo3Btn", "EMailInfo4Btn"})
            states += child<QPushButton>(name).isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return states;
    }

private slots:
    void initTestCase() { QVERIFY2(m_server.start(1), qPrintable(m_server.errorText())); }

    // A check switches Connect off while it runs; then Connect lists, Retrieve shows a GB2312 message
    // read right, Delete removes exactly the ticked one, a check is refused while connected, and
    // Disconnect empties the page.
    void throughTheButtons()
    {
        const QString user = m_server.newUser();
        const QByteArray gb = test::TestFiles::read(QStringLiteral(VANTOR_TEST_DATA "/spamassassin/nice/cjk/gb2312.1"));
        const QStringList names{
            m_server.putMessage(user, gb),
            m_server.putMessage(user, "From: a@example.org\r\nSubject: second\r\n\r\nbody two\r\n"),
            m_server.putMessage(user, "From: b@example.org\r\nSubject: third\r\n\r\nbody three\r\n")};
        m_fixture.writeProfile(QStringLiteral("Default"), filter::Profile{});
        m_fixture.addAccount(QStringLiteral("Box"), m_server.host(), m_server.port(), user,
                             test::TestMailServer::Password);
        m_fixture.setSetting(storage::GeneralSplash, true);
        m_fixture.setSetting(storage::TipsShow, false);
        m_fixture.setSetting(storage::GeneralAutomaticMode, true);
        m_session = std::make_unique<app::Session>(app::Session::Services{
            m_fixture.home, m_fixture.texts, m_fixture.errorLog, m_fixture.detector, m_fixture.prompts, m_shell});
        m_form = &m_session->window();
        m_form->formCreate();
        m_form->trayIconStartup();
        QCOMPARE(child<QComboBox>("AccountBox").currentText(), QStringLiteral("Box"));
        QCOMPARE(buttons(), QStringLiteral("1000"));

        // The check's POP3 waits turn the event loop: the timer looks at Connect in the middle of it.
        // Connect itself is switched off, not only the page around it.
        bool isConnectOff = false;
        QTimer::singleShot(0, this, [&] {
            isConnectOff = child<QPushButton>("EMailInfoBtn").testAttribute(Qt::WA_ForceDisabled);
        });
        QTest::mouseClick(&m_form->toolBar().checkBtn(), Qt::LeftButton);
        QVERIFY(isConnectOff);
        QCOMPARE(buttons(), QStringLiteral("1000"));
        QCOMPARE(m_server.listMaildir(user), names);

        m_form->pageControl().setCurrentIndex(ui::MainForm::EMailManager);
        click("EMailInfoBtn");
        auto& list = child<QTreeWidget>("ListaEMail");
        QCOMPARE(list.topLevelItemCount(), 3);
        QCOMPARE(list.topLevelItem(2)->text(0), QStringLiteral("third"));
        QCOMPARE(list.topLevelItem(2)->text(1), QStringLiteral("b@example.org"));
        QCOMPARE(child<QLabel>("Label8").text(), QStringLiteral("Ready"));
        QCOMPARE(buttons(), QStringLiteral("0111"));

        list.setCurrentItem(list.topLevelItem(0));
        click("EMailInfo3Btn");
        auto& memo = child<QPlainTextEdit>("MemoEMail");
        QVERIFY(memo.toPlainText().startsWith(QStringLiteral("  台湾鑫龙商贸集团公司向您拜年! ")));
        QCOMPARE(child<QLabel>("From").text(), QStringLiteral("1234@e34.com"));
        QCOMPARE(child<QLabel>("Priority").text(), QStringLiteral("Priority: Normal"));
        const QString before = memo.toPlainText();
        QTest::keyClicks(&memo, QStringLiteral("typed"));
        QCOMPARE(memo.toPlainText(), before);

        list.topLevelItem(1)->setCheckState(0, Qt::Checked);
        m_fixture.prompts.yesNoAnswers = {true};
        const int ended = m_server.endedSessions();
        click("EMailInfo4Btn");
        QVERIFY(m_server.waitForEndedSessions(ended + 1));
        QCOMPARE(m_server.listMaildir(user), (QStringList{names[0], names[2]}));
        QCOMPARE(list.topLevelItemCount(), 2);
        QCOMPARE(list.topLevelItem(1)->text(0), QStringLiteral("third"));

        m_form->startCheck(core::CheckMode::Automatic);
        QCOMPARE(m_fixture.prompts.errors.value(0),
                 QStringLiteral("The EMail Manager is connected to 127.0.0.1. Disconnect it before checking mail."));

        click("EMailInfo2Btn");
        QCOMPARE(buttons(), QStringLiteral("1000"));
        QCOMPARE(list.topLevelItemCount(), 0);
        QVERIFY(memo.toPlainText().isEmpty());
        QCOMPARE(child<QLabel>("Priority").text(), QStringLiteral("Priority: NONE"));
        QCOMPARE(child<QLabel>("Label8").text(), QStringLiteral("Ready"));
        QCOMPARE(m_server.listMaildir(user).size(), 2);
    }
};

QTEST_MAIN(EMailManagerPageTest)
#include "EMailManagerPageTest.moc"
