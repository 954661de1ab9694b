#include "ui/pages/StatisticPage.h"

#include "ModalDialogs.h"
#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"
#include "records/StatisticsLog.h"
#include "ui/widgets/ChartWidget.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>

using namespace vantor;
using test::TestFiles;
using ui::ChartWidget;
using ui::StatisticPage;

namespace {

std::chrono::year_month_day ymd(QDate date)
{
    using namespace std::chrono;
    return year_month_day{year{date.year()}, month{static_cast<unsigned>(date.month())},
                          day{static_cast<unsigned>(date.day())}};
}

QList<double> ys(const QLineSeries& series)
{
    QList<double> result;
    for (const QPointF& point : series.points())
        result.append(point.y());
    return result;
}

test::ModalDialogs::Answer saveAs(const QString& path, const QString& filter)
{
    return [path, filter](QWidget& dialog) {
        auto& files = static_cast<QFileDialog&>(dialog);
        files.selectNameFilter(filter);
        // Typed into the name field: selectFile() leaves a focused field alone, so it would race the focus.
        auto* name = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        // accept() is protected in QFileDialog; QDialog's is public and reaches it.
        static_cast<QDialog&>(files).accept();
    };
}

} // namespace

class StatisticPageTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;
    storage::TextTable m_texts;
    test::ScriptedUserPrompts m_prompts;
    std::unique_ptr<StatisticPage> m_page;
    const QDate m_first{2026, 12, 6};

    QString file(const char* relative) const { return m_home->filePath(QString::fromLatin1(relative)); }
    StatisticPage& open()
    {
        m_page = std::make_unique<StatisticPage>();
        m_page->attach(*m_home, m_prompts);
        m_page->relabel(m_texts);
        m_page->resize(640, 420);
        m_page->show();
        m_page->setRange(m_first, m_first.addDays(3));
        return *m_page;
    }
    void logDay(int offset, const records::DayTotals& totals)
    {
        records::StatisticsLog(m_home->nativeDir()).addDayTotals(ymd(m_first.addDays(offset)), totals);
    }
    QLabel& label(const char* objectName)
    {
        return *m_page->findChild<QLabel*>(QString::fromLatin1(objectName));
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_home = std::make_unique<core::HomeDirectory>(m_dir.path());
        m_prompts.errors.clear();
    }
    void cleanup() { m_page.reset(); }

    void drawsTheThreeSeriesOfTheRange()
    {
        logDay(1, {25, 21, 4});
        logDay(1, {5, 4, 1});
        logDay(3, {7, 7, 0});
        logDay(4, {99, 0, 99});
        open();
        const QList<QLineSeries*> series = m_page->chart().counterSeries();
        QCOMPARE(series.size(), 3);
        QCOMPARE(ys(*series[0]), (QList<double>{0, 30, 0, 7}));
        QCOMPARE(ys(*series[1]), (QList<double>{0, 25, 0, 7}));
        QCOMPARE(ys(*series[2]), (QList<double>{0, 5, 0, 0}));
        QCOMPARE(series[0]->points().front().x(), 0.0);
        QVERIFY(m_page->chart().depthSeries().isEmpty());
        QVERIFY(!m_page->chart().chart()->legend()->isVisible());
        QCOMPARE(label("LegendLabel").text(), QStringLiteral("Legend:"));
    }

    void pickersStartAtTheClocksLocalDate()
    {
        std::tm local{};
        local.tm_year = 2027 - 1900;
        local.tm_mon = 2;
        local.tm_mday = 15;
        local.tm_min = 1;
        local.tm_isdst = -1;
        const base::SettableClock clock(std::chrono::system_clock::from_time_t(std::mktime(&local)));
        const StatisticPage page(nullptr, clock);
        QCOMPARE(page.findChild<QDateEdit*>(QStringLiteral("Data1"))->date(), QDate(2027, 3, 15));
        QCOMPARE(page.findChild<QDateEdit*>(QStringLiteral("Data2"))->date(), QDate(2027, 3, 15));
    }

    void changingTheRangeOrRepaintRedraws()
    {
        open();
        QCOMPARE(m_page->chart().counterSeries()[0]->count(), 4);
        m_page->toDate().setDate(m_first.addDays(6));
        QCOMPARE(m_page->chart().counterSeries()[0]->count(), 7);
        // Data1 after Data2: an empty chart.
        m_page->fromDate().setDate(m_first.addDays(7));
        QCOMPARE(m_page->chart().counterSeries()[0]->count(), 0);
        m_page->fromDate().setDate(m_first);
        logDay(5, {3, 2, 1});
        QCOMPARE(ys(*m_page->chart().counterSeries()[0]).at(5), 0.0);
        QTest::mouseClick(m_page->findChild<QPushButton*>(QStringLiteral("RepaintBtn")), Qt::LeftButton);
        QCOMPARE(ys(*m_page->chart().counterSeries()[0]).at(5), 3.0);
    }

    void coloursAndBackgroundComeFromTheSettings()
    {
        QVERIFY(TestFiles::write(file("setting.ini"), "[Statistic]\r\nSerieChecked=00112233\r\n"
                                                      "SerieFiltered=00445566\r\nBackground1=1\r\n"
                                                      "BackgroundColor=000000FF\r\nShow3D=1\r\n"));
        open();
        const QList<QLineSeries*> series = m_page->chart().counterSeries();
        QCOMPARE(series[0]->pen().color(), QColor(0x33, 0x22, 0x11));
        QCOMPARE(series[1]->pen().color(), QColor(0x66, 0x55, 0x44));
        QCOMPARE(series[2]->pen().color(), QColor(0xFF, 0, 0));
        QCOMPARE(m_page->chart().chart()->backgroundBrush().color(), QColor(0xFF, 0, 0));
        QCOMPARE(label("CheckedLabel").palette().color(QPalette::WindowText), QColor(0x33, 0x22, 0x11));
        QCOMPARE(m_page->chart().depthSeries().size(), 3);

        QVERIFY(TestFiles::write(file("setting.ini"), "[Statistic]\r\nGradientStart=00000000\r\n"
                                                      "GradientEnd=00FFFFFF\r\n"));
        m_page->refresh();
        const QGradient* gradient = m_page->chart().chart()->backgroundBrush().gradient();
        QVERIFY(gradient);
        QCOMPARE(gradient->stops().front().second, QColor(Qt::black));
        QCOMPARE(gradient->stops().back().second, QColor(Qt::white));
        QVERIFY(m_page->chart().depthSeries().isEmpty());
    }

    void saveChartWritesTheChosenFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("png") << "chart"
                             << "PNG images (*.png)"
                             << "chart.png" << QByteArray("\x89PNG\r\n\x1a\n");
        QTest::newRow("bmp") << "chart"
                             << "Bitmaps (*.bmp)"
                             << "chart.bmp" << QByteArray("BM");
        QTest::newRow("kept") << "CHART.BMP"
                              << "Bitmaps (*.bmp)"
                              << "CHART.BMP" << QByteArray("BM");
    }

    void saveChartWritesTheChosenFormat()
    {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QFETCH(QByteArray, magic);
        logDay(1, {4, 3, 1});
        open();
        test::ModalDialogs dialogs;
        dialogs.setAnswer(QStringLiteral("SaveChartDialog"), saveAs(m_home->filePath(name), filter));
        QTest::mouseClick(m_page->findChild<QPushButton*>(QStringLiteral("SaveChartBtn")), Qt::LeftButton);
        QCOMPARE(dialogs.seen(), QStringList{QStringLiteral("SaveChartDialog")});
        const QByteArray bytes = TestFiles::read(m_home->filePath(written));
        QVERIFY(bytes.startsWith(magic));
        QImage image;
        QVERIFY(image.loadFromData(bytes));
        QCOMPARE(image.size(), m_page->chart().size() * m_page->chart().devicePixelRatioF());
        QVERIFY(m_prompts.errors.isEmpty());
    }

    void aChartThatCannotBeWrittenIsReported()
    {
        open();
        test::ModalDialogs dialogs;
        QVERIFY(QDir().mkpath(file("chart.png")));
        dialogs.setAnswer(QStringLiteral("SaveChartDialog"),
                          saveAs(file("chart"), QStringLiteral("PNG images (*.png)")));
        m_page->saveChartBtnClick();
        QCOMPARE(m_prompts.errors.size(), 1);
    }

    void screenshot()
    {
        const QString target = qEnvironmentVariable("VANTOR_SCREENSHOTS");
        if (target.isEmpty())
            QSKIP("VANTOR_SCREENSHOTS names no directory");
        logDay(0, {12, 9, 3});
        logDay(1, {30, 25, 5});
        logDay(2, {8, 8, 0});
        logDay(3, {17, 11, 6});
        QVERIFY(TestFiles::write(file("setting.ini"), "[Statistic]\r\nShow3D=1\r\n"));
        open();
        QVERIFY(m_page->chart().saveImage(target + QStringLiteral("/Chart.png"), "PNG"));
        QVERIFY(m_page->grab().save(target + QStringLiteral("/StatisticPage.png")));
    }
};

QTEST_MAIN(StatisticPageTest)
#include "StatisticPageTest.moc"
