#include "ModalDialogs.h"
#include "core/trust/CertificateTrust.h"
#include "mail/net/Pop3Client.h"
#include "support/DovecotServer.h"
#include "ui/CertificatePrompts.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using mail::net::ConnectFailure;

// The trust of a certificate that fails verification, against Dovecot serving a self-signed one: the
// window's dialog pins what the user trusts, a pinned certificate passes without a question, and a
// changed one is asked about again. The command-line check (no prompt) passes only what is pinned.
class CertificateDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void trustedCertificateIsPinnedAndAChangedOneAsksAgain()
    {
        support::DovecotServer dovecot;
        QVERIFY(dovecot.makeCertificate({QStringLiteral("--self-signed")}));
        QVERIFY2(dovecot.start(), qPrintable(dovecot.errorText()));
        QTemporaryDir dir;
        const core::HomeDirectory home(dir.path());
        storage::TextTable texts;
        ui::CertificatePrompts prompts(texts);
        core::CertificateTrust trust(home, &prompts);
        core::CertificateTrust unattended(home, nullptr);
        mail::net::Pop3Client window(mail::net::judgedSocketFactory(trust));
        mail::net::Pop3Client commandLine(mail::net::judgedSocketFactory(unattended));
        for (mail::net::Pop3Client* client : {&window, &commandLine}) {
            client->setHost(dovecot.host().toStdString());
            client->setPort(dovecot.pop3sPort());
            client->setSecurity(mail::net::SecurityMode::SSL);
            client->setTimeOut(20);
        }

        QVERIFY(!commandLine.connect());
        QCOMPARE(commandLine.connectFailure(), ConnectFailure::Certificate);
        QCOMPARE(commandLine.failureText(), std::string("certificate not trusted: self-signed"));
        commandLine.abort();

        test::ModalDialogs dialogs;
        QString message;
        QString fingerprint;
        const auto answer = [&](const char* button) {
            return [&message, &fingerprint, button](QWidget& dialog) {
                message = dialog.findChild<QLabel*>(QStringLiteral("CertificateMessage"))->text();
                fingerprint = dialog.findChild<QLabel*>(QStringLiteral("Fingerprint"))->text();
                dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
            };
        };
        dialogs.setAnswer(QStringLiteral("CertificateDialog"), answer("TrustBtn"));
        QVERIFY(window.connect());
        QCOMPARE(dialogs.seen(), QStringList{QStringLiteral("CertificateDialog")});
        const QString server = dovecot.host() + QLatin1Char(':') + QString::number(dovecot.pop3sPort());
        QCOMPARE(message,
                 QStringLiteral("The certificate of %1 cannot be verified: self-signed.").arg(server));
        QCOMPARE(fingerprint.size(), 32 * 3 - 1);
        QCOMPARE(trust.pinned(dovecot.host(), dovecot.pop3sPort()), fingerprint.toStdString());
        window.abort();

        // Pinned: neither the window nor the command line asks or refuses.
        QVERIFY(window.connect());
        window.abort();
        QVERIFY(commandLine.connect());
        commandLine.abort();
        QCOMPARE(dialogs.seen().size(), 1);

        // Another certificate was trusted for this server before: asked again; Cancel refuses it.
        QVERIFY(trust.pin(dovecot.host(), dovecot.pop3sPort(), "00:11"));
        dialogs.setAnswer(QStringLiteral("CertificateDialog"), answer("CancelBtn"));
        QVERIFY(!window.connect());
        QCOMPARE(dialogs.seen().size(), 2);
        QCOMPARE(message,
                 QStringLiteral("The certificate of %1 is not the one you trusted before: self-signed.")
                     .arg(server));
        QCOMPARE(window.connectFailure(), ConnectFailure::Certificate);
        QCOMPARE(trust.pinned(dovecot.host(), dovecot.pop3sPort()), std::string("00:11"));
        window.abort();
        QVERIFY(!commandLine.connect());
        QCOMPARE(dialogs.seen().size(), 2);
    }
};

QTEST_MAIN(CertificateDialogTest)
#include "CertificateDialogTest.moc"
