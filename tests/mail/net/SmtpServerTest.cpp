#include <QTest>
class SmtpServerTest : public QObject
{
    Q_OBJECT
};
QTEST_GUILESS_MAIN(SmtpServerTest)
#include "SmtpServerTest.moc"
