#include <QTest>
class Pop3FaultsTest : public QObject
{
    Q_OBJECT
};
QTEST_GUILESS_MAIN(Pop3FaultsTest)
#include "Pop3FaultsTest.moc"
