#include <QTest>
class SocketConversationTest : public QObject
{
    Q_OBJECT
};
QTEST_GUILESS_MAIN(SocketConversationTest)
#include "SocketConversationTest.moc"
