#include "platform/ConnectionProbe.h"
#include "platform/ProbingConnectionDetector.h"
#include "platform/SystemAddressSource.h"

#include <QSignalSpy>
#include <QTest>

using namespace vantor::platform;

namespace {

// Answers each lookup with the lists the test sets; a deferred source keeps the answer until release().
class ListAddressSource : public AddressSource
{
public:
    QList<QHostAddress> resolved;
    QList<InterfaceAddresses> interfaceList;
    bool isDeferred = false;
    int lookups = 0;

    void resolveHostName(Resolved done) override
    {
        ++lookups;
        if (isDeferred)
            m_pending = std::move(done);
        else
            done(resolved);
    }
    QList<InterfaceAddresses> interfaces() const override { return interfaceList; }

    void release()
    {
        Resolved done = std::move(m_pending);
        m_pending = nullptr;
        done(resolved);
    }

private:
    Resolved m_pending;
};

QHostAddress address(const char* text)
{
    return QHostAddress(QString::fromLatin1(text));
}

InterfaceAddresses loopbackInterface()
{
    return {true, true, true, {address("127.0.0.1"), address("::1")}};
}

InterfaceAddresses ethernet(bool isUp, bool isRunning, const char* ip)
{
    return {isUp, isRunning, false, {address(ip)}};
}

} // namespace

class ConnectionDetectorTest : public QObject
{
    Q_OBJECT

private:
    ListAddressSource* m_source = nullptr;
    std::unique_ptr<ProbingConnectionDetector> m_detector;

    void makeDetector()
    {
        auto source = std::make_unique<ListAddressSource>();
        m_source = source.get();
        m_detector = std::make_unique<ProbingConnectionDetector>(std::move(source));
        m_detector->setEnabled(false);
    }

private slots:
    void init() { makeDetector(); }
    void cleanup() { m_detector.reset(); }

    void usableAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isUsable");
        QTest::newRow("IPv4 loopback") << QStringLiteral("127.0.0.1") << false;
        QTest::newRow("Debian's host-name loopback") << QStringLiteral("127.0.1.1") << false;
        QTest::newRow("end of 127/8") << QStringLiteral("127.255.255.254") << false;
        QTest::newRow("IPv6 loopback") << QStringLiteral("::1") << false;
        QTest::newRow("IPv4-mapped loopback") << QStringLiteral("::ffff:127.0.0.1") << false;
        QTest::newRow("IPv4 link-local") << QStringLiteral("169.254.10.20") << false;
        QTest::newRow("IPv6 link-local") << QStringLiteral("fe80::fc:ff:fe00:1") << false;
        QTest::newRow("private IPv4") << QStringLiteral("192.168.1.20") << true;
        QTest::newRow("documentation IPv4") << QStringLiteral("192.0.2.2") << true;
        QTest::newRow("IPv4-mapped public") << QStringLiteral("::ffff:192.0.2.2") << true;
        QTest::newRow("unique local IPv6") << QStringLiteral("fd00::2") << true;
        QTest::newRow("global IPv6") << QStringLiteral("2001:db8::5") << true;
    }

    void usableAddresses()
    {
        QFETCH(QString, text);
        QFETCH(bool, isUsable);
        QCOMPARE(ConnectionProbe::isUsable(QHostAddress(text)), isUsable);
    }

    void pickPrefersTheLastResolvedAddress()
    {
        const QList<QHostAddress> resolved{address("192.0.2.7"), address("198.51.100.3"),
                                           address("127.0.1.1")};
        QCOMPARE(ConnectionProbe::pick(resolved, {ethernet(true, true, "203.0.113.9")}),
                 address("198.51.100.3"));
    }

    void pickFallsBackToAnUpRunningInterface()
    {
        const QList<InterfaceAddresses> interfaces{
            loopbackInterface(),
            ethernet(false, false, "192.0.2.1"),
            ethernet(true, false, "192.0.2.2"),
            {true, true, false, {address("fe80::1"), address("192.0.2.3")}}};
        QCOMPARE(ConnectionProbe::pick({address("127.0.1.1")}, interfaces), address("192.0.2.3"));
    }

    void pickIgnoresAddressesOnALoopbackInterface()
    {
        // Some systems alias extra addresses onto lo; they still lead nowhere.
        const QList<InterfaceAddresses> interfaces{{true, true, true, {address("10.1.2.3")}}};
        QVERIFY(ConnectionProbe::pick({}, interfaces).isNull());
    }

    void loopbackOnlyStaysOffline()
    {
        m_source->resolved = {address("127.0.0.1"), address("127.0.1.1"), address("::1")};
        m_source->interfaceList = {loopbackInterface(), ethernet(false, false, "192.0.2.2")};
        QSignalSpy changed(m_detector.get(), &ConnectionDetector::changed);
        m_detector->probe();
        m_detector->probe();
        QVERIFY(!m_detector->isOnline());
        QVERIFY(m_detector->ip().isEmpty());
        QCOMPARE(changed.count(), 0);
    }

    void changedFiresOncePerTransition()
    {
        QSignalSpy changed(m_detector.get(), &ConnectionDetector::changed);
        m_source->resolved = {address("127.0.1.1")};
        m_source->interfaceList = {loopbackInterface(), ethernet(true, true, "192.0.2.2")};
        m_detector->probe();
        m_detector->probe();
        QVERIFY(m_detector->isOnline());
        QCOMPARE(m_detector->ip(), QStringLiteral("192.0.2.2"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toBool(), true);

        m_source->interfaceList = {loopbackInterface(), ethernet(true, false, "192.0.2.2")};
        m_detector->probe();
        m_detector->probe();
        QVERIFY(!m_detector->isOnline());
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(1).at(0).toBool(), false);

        m_source->resolved = {address("198.51.100.3")};
        m_detector->probe();
        QCOMPARE(changed.count(), 3);
        QCOMPARE(m_detector->ip(), QStringLiteral("198.51.100.3"));
    }

    void ipFollowsTheAddressWithoutATransition()
    {
        m_source->resolved = {address("192.0.2.2")};
        m_detector->probe();
        QSignalSpy changed(m_detector.get(), &ConnectionDetector::changed);
        m_source->resolved = {address("192.0.2.99")};
        m_detector->probe();
        QCOMPARE(m_detector->ip(), QStringLiteral("192.0.2.99"));
        QCOMPARE(changed.count(), 0);
    }

    void slowResolverDoesNotPileUpLookups()
    {
        m_source->isDeferred = true;
        m_source->resolved = {address("192.0.2.2")};
        m_detector->probe();
        m_detector->probe();
        m_detector->probe();
        QCOMPARE(m_source->lookups, 1);
        QVERIFY(!m_detector->isOnline());
        m_source->release();
        QVERIFY(m_detector->isOnline());
        m_detector->probe();
        QCOMPARE(m_source->lookups, 2);
    }

    void timerProbesWhileEnabled()
    {
        QCOMPARE(m_detector->dispatchInterval(), ProbingConnectionDetector::DefaultDispatchInterval);
        m_source->resolved = {address("192.0.2.2")};
        m_detector->setDispatchInterval(5);
        m_detector->setEnabled(true);
        QVERIFY(m_detector->isEnabled());
        QTRY_VERIFY(m_detector->isOnline());
        m_detector->setEnabled(false);
        const int lookups = m_source->lookups;
        QTest::qWait(30);
        QCOMPARE(m_source->lookups, lookups);
    }

    void newDetectorIsEnabledAndOffline()
    {
        ProbingConnectionDetector detector(std::make_unique<ListAddressSource>());
        QVERIFY(detector.isEnabled());
        QVERIFY(!detector.isOnline());
        QVERIFY(detector.ip().isEmpty());
    }

    void systemSourceSeesTheLoopbackInterface()
    {
        SystemAddressSource source;
        const QList<InterfaceAddresses> interfaces = source.interfaces();
        const bool hasLoopback =
            std::any_of(interfaces.begin(), interfaces.end(), [](const InterfaceAddresses& entry) {
                return entry.isLoopback && entry.isUp &&
                       entry.addresses.contains(QHostAddress(QHostAddress::LocalHost));
            });
        QVERIFY(hasLoopback);
    }
};

QTEST_GUILESS_MAIN(ConnectionDetectorTest)
#include "ConnectionDetectorTest.moc"
