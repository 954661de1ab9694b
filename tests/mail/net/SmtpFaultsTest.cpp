#include <QTest>
class SmtpFaultsTest : public QObject
{
    Q_OBJECT
};
QTEST_GUILESS_MAIN(SmtpFaultsTest)
#include "SmtpFaultsTest.moc"
