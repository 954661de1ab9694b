#include "core/reports/StatisticChartSource.h"

#include "support/TestFiles.h"
#include "core/reports/ReportFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using core::ChartLook;
using records::DayTotals;
using test::TestFiles;

namespace {

std::chrono::year_month_day day(int y, unsigned m, unsigned d)
{
    return std::chrono::year_month_day{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

} // namespace

class StatisticChartSourceTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;

    QString file(const char* relative) const { return m_home->filePath(QString::fromLatin1(relative)); }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_home = std::make_unique<core::HomeDirectory>(m_dir.path());
    }

    void seriesComeFromTheLogDayByDay()
    {
        const records::StatisticsLog log(m_home->nativeDir());
        log.addDayTotals(day(2026, 12, 8), {25, 21, 4});
        log.addDayTotals(day(2026, 12, 8), {5, 4, 1});
        log.addDayTotals(day(2026, 12, 10), {3, 3, 0});
        // A day outside the range stays out.
        log.addDayTotals(day(2026, 12, 11), {9, 9, 9});
        const core::StatisticChartSource source(*m_home);
        const std::vector<DayTotals> series = source.series(QDate(2026, 12, 7), QDate(2026, 12, 10));
        QCOMPARE(series, (std::vector<DayTotals>{{0, 0, 0}, {30, 25, 5}, {0, 0, 0}, {3, 3, 0}}));
        QCOMPARE(source.series(QDate(2026, 12, 8), QDate(2026, 12, 8)),
                 (std::vector<DayTotals>{{30, 25, 5}}));
        QVERIFY(source.series(QDate(2026, 12, 9), QDate(2026, 12, 8)).empty());
    }

    void aMissingLogGivesZeroLines()
    {
        const core::StatisticChartSource source(*m_home);
        QCOMPARE(source.series(QDate(2026, 1, 1), QDate(2026, 1, 3)), std::vector<DayTotals>(3));
    }

    void theLookDefaultsToTheGradient()
    {
        const ChartLook look = core::StatisticChartSource(*m_home).look();
        QCOMPARE(look, ChartLook());
        QCOMPARE(look.background, ChartLook::Background::Gradient);
        QCOMPARE(look.gradientEnd, 0x00FFF0BEu);
    }

    void theLookComesFromTheStatisticSection()
    {
        QVERIFY(TestFiles::write(file("setting.ini"), "[Statistic]\r\nShow3D=1\r\nBackground1=1\r\n"
                                                      "BackgroundColor=00102030\r\nSerieChecked=00ABCDEF\r\n"
                                                      "SerieFiltered=red\r\nSerieDeleted=00000001\r\n"));
        const ChartLook look = core::StatisticChartSource(*m_home).look();
        QVERIFY(look.show3D);
        QCOMPARE(look.background, ChartLook::Background::Plain);
        QCOMPARE(look.backgroundColor, 0x00102030u);
        QCOMPARE(look.checked, 0x00ABCDEFu);
        // Not hexadecimal: the default colour instead of no chart at all.
        QCOMPARE(look.filtered, 0x00008000u);
        QCOMPARE(look.deleted, 0x00000001u);
    }

    void neitherBackgroundKeepsTheOldOne()
    {
        QVERIFY(TestFiles::write(file("setting.ini"), "[Statistic]\r\nBackground1=0\r\nBackground2=0\r\n"));
        QCOMPARE(core::StatisticChartSource(*m_home).look().background, ChartLook::Background::Unchanged);
    }

    void reportFileWritesOneLinePerEntryAndReplacesTheOldFile()
    {
        const QString path = file("report.txt");
        QVERIFY(TestFiles::write(path, "old content that is longer than the new one\n"));
        QVERIFY(core::ReportFile::write(path, {"10:00:00 - Start", "10:00:01 - Finish"}));
        QCOMPARE(TestFiles::read(path).replace("\r\n", "\n"),
                 QByteArray("10:00:00 - Start\n10:00:01 - Finish\n"));
        QVERIFY(core::ReportFile::write(path, {}));
        QCOMPARE(TestFiles::read(path), QByteArray());
    }

    void reportFileFailsInAMissingDirectory()
    {
        QVERIFY(!core::ReportFile::write(file("missing/report.txt"), {"line"}));
        QVERIFY(!QFile::exists(file("missing")));
    }
};

QTEST_GUILESS_MAIN(StatisticChartSourceTest)
#include "StatisticChartSourceTest.moc"
