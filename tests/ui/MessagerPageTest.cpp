#include "ui/pages/MessagerPage.h"

#include "FakeConnectionDetector.h"
#include "ModalDialogs.h"
#include "support/ScriptedUserPrompts.h"
#include "support/SmtpTestServer.h"
#include "support/TempHome.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vantor;
using support::SmtpTestServer;
using ui::MessagerPage;

// The composer page driven through its buttons, sending to a real SMTP server.
class MessagerPageTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    storage::TextTable m_texts;
    test::ScriptedUserPrompts m_prompts;
    test::FakeConnectionDetector m_detector;

    QString makeFile(const QString& name, std::string_view bytes)
    {
        const QString path = m_dir.filePath(name);
        test::writeBytes(path.toStdString(), bytes);
        return path;
    }

    static void addThroughTheDialog(MessagerPage& page, const QString& path)
    {
        test::ModalDialogs dialogs;
        dialogs.setAnswer(QStringLiteral("AddFileDialog"), test::ModalDialogs::chooseFile(path));
        QTest::mouseClick(page.findChild<QPushButton*>(QStringLiteral("AddBtn")), Qt::LeftButton);
        QCOMPARE(dialogs.seen(), QStringList{QStringLiteral("AddFileDialog")});
    }

private slots:
    void composesSendsAndClears()
    {
        QVERIFY(m_dir.isValid());
        SmtpTestServer server;
        QVERIFY2(server.start(), qPrintable(server.errorText()));
        const core::HomeDirectory home(m_dir.path());
        storage::ErrorLog errorLog(home.nativeDir());
        core::AccountStore accounts(home, errorLog);
        QCOMPARE(accounts.add({"Work", "pop.example.org", "110", server.host().toStdString(),
                               std::to_string(server.port()), "", "", "Default", "", ""}),
                 core::AccountStore::WriteResult::Stored);
        m_detector.setOnline(true);
        base::SettableClock clock(std::chrono::system_clock::now());
        core::Messager messager({home, accounts, m_texts, m_prompts, m_detector, clock});

        MessagerPage page;
        page.attach(messager, m_texts, m_prompts);
        page.setAccounts({QStringLiteral("Work")});
        page.setSenderDefaults(QStringLiteral("Ann"), QStringLiteral("ann@example.org"));
        page.show();

        QCOMPARE(page.labelPri().text(), QStringLiteral("Normal"));
        page.trackPri().setValue(4);
        QCOMPARE(page.labelPri().text(), QStringLiteral("Highest"));
        page.trackPri().setValue(0);
        QCOMPARE(page.labelPri().text(), QStringLiteral("Lowest"));

        const QString notes = makeFile(QStringLiteral("notes.txt"), "first file\r\n");
        const QString photo = makeFile(QStringLiteral("PHOTO.JPG"), std::string("\xFF\xD8\xFF\x00\x01", 5));
        addThroughTheDialog(page, notes);
        addThroughTheDialog(page, photo);
        QListWidget& files = page.filesList();
        QCOMPARE(files.count(), 2);
        QCOMPARE(files.item(0)->text(), notes);
        QCOMPARE(files.item(0)->data(Qt::UserRole).toInt(), 1);
        QCOMPARE(files.item(1)->data(Qt::UserRole).toInt(), 6);
        auto* remove = page.findChild<QPushButton*>(QStringLiteral("RemoveBtn"));
        QVERIFY(!remove->isEnabled());
        files.setCurrentRow(0);
        QVERIFY(remove->isEnabled());
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(files.count(), 1);
        QCOMPARE(files.item(0)->text(), photo);

        QTest::keyClicks(&page.toAddressEdit(), QStringLiteral("bob@example.net"));
        QTest::keyClicks(&page.subjectEdit(), QStringLiteral("Photo"));
        QTest::keyClicks(&page.editor(), QStringLiteral("See the photo."));
        // Small packets, so that the page can be looked at while the text goes out.
        bool wasSendEnabled = true;
        messager.smtp().setPacketSize(64);
        messager.smtp().setOnProgress([&](std::int64_t, std::int64_t) {
            wasSendEnabled = wasSendEnabled && page.sendButton().isEnabled();
        });
        QTest::mouseClick(&page.sendButton(), Qt::LeftButton);
        QVERIFY(!wasSendEnabled);
        QCOMPARE(page.statusLabel().text(), QStringLiteral("Message sent. Ready"));
        QVERIFY(page.sendButton().isEnabled());
        QCOMPARE(server.received().size(), 1);
        mail::mime::MailMessage received;
        received.fill(server.received()[0].data.toStdString(), true);
        QCOMPARE(received.headerValue("From"), std::string("\"Ann\" <ann@example.org>"));
        QCOMPARE(received.headerValue("X-Priority"), std::string("5"));
        QCOMPARE(received.attachments().size(), std::size_t(1));
        QCOMPARE(received.attachments()[0]->fileName(), std::string("PHOTO.JPG"));

        page.fromNameEdit().setText(QStringLiteral("Someone else"));
        QTest::mouseClick(page.findChild<QPushButton*>(QStringLiteral("ClearBtn")), Qt::LeftButton);
        QVERIFY(page.toAddressEdit().text().isEmpty());
        QVERIFY(page.subjectEdit().text().isEmpty());
        QVERIFY(page.editor().toPlainText().isEmpty());
        QCOMPARE(page.fromNameEdit().text(), QStringLiteral("Ann"));
        QCOMPARE(page.labelPri().text(), QStringLiteral("Normal"));
        QCOMPARE(files.count(), 0);
        QVERIFY(messager.attachedFiles().empty());

        page.setAccounts({});
        QTest::mouseClick(&page.sendButton(), Qt::LeftButton);
        QCOMPARE(m_prompts.errors, QStringList{QStringLiteral("Select account from ComboBox.")});
        QVERIFY(page.sendButton().isEnabled());
        QCOMPARE(server.received().size(), 1);
    }
};

QTEST_MAIN(MessagerPageTest)
#include "MessagerPageTest.moc"
