#include "core/reports/DeletedTableModel.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using core::DeletedTableModel;
using test::TestFiles;

class DeletedTableModelTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    QString database() const { return m_home.filePath(QStringLiteral("backup.bak")); }
    std::string homeDir() const { return QFile::encodeName(m_home.path()).toStdString(); }

private slots:
    void init()
    {
        QVERIFY(m_home.isValid());
        QFile::remove(database());
    }

    void anEmptyFileGetsTheHeaderInsteadOfLosingItsFirstRecordToTheTitles()
    {
        QVERIFY(TestFiles::write(database(), QByteArray()));
        DeletedTableModel model(homeDir());
        QVERIFY(model.open());
        QCOMPARE(model.columnCount(), 4);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(TestFiles::read(database()), QByteArray("EMail,Subject,Account,Date/Time"));
    }

    void datesSortByTimeWhateverTheSeparatorsAndOthersAsText()
    {
        QVERIFY(TestFiles::write(database(), "EMail,Subject,Account,Date/Time\r\n"
                                             "a@x.example,s,A,yesterday\r\n"
                                             "b@x.example,s,A,3/1/2026 7:05:09\r\n"
                                             "c@x.example,s,A\r\n"
                                             "d@x.example,s,A,24.12.2025 08.00.00\r\n"
                                             "e@x.example,s,A,01/01/2026 123:00:00\r\n"));
        DeletedTableModel model(homeDir());
        QVERIFY(model.open());
        model.sort(3);
        QStringList senders;
        for (int row = 0; row < model.rowCount(); ++row)
            senders.append(model.index(row, 0).data().toString().left(1));
        // The empty date first, then by time; an hour of three digits is no date and sorts as its text.
        QCOMPARE(senders, (QStringList{QStringLiteral("c"), QStringLiteral("e"), QStringLiteral("d"),
                                       QStringLiteral("b"), QStringLiteral("a")}));
        QCOMPARE(model.index(0, 3).data().toString(), QString());
    }

    void rowsThatAreNotThereDeleteNothing()
    {
        QVERIFY(TestFiles::write(database(), "EMail,Subject,Account,Date/Time\r\na@x.example,s,A,d\r\n"));
        DeletedTableModel model(homeDir());
        QVERIFY(!model.removeRecord(0));
        QVERIFY(model.open());
        QVERIFY(!model.removeRecord(-1));
        QVERIFY(!model.removeRecord(1));
        QVERIFY(!model.table()->isModified());
        QVERIFY(model.removeRecord(0));
        QCOMPARE(model.rowCount(), 0);
        model.close();
        QCOMPARE(TestFiles::read(database()), QByteArray("EMail,Subject,Account,Date/Time\r\n"));
    }
};

QTEST_MAIN(DeletedTableModelTest)
#include "DeletedTableModelTest.moc"
