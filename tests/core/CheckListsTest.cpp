#include "core/check/CheckLists.h"

#include "core/program/FormatText.h"
#include "storage/TextTable.h"

#include <QSignalSpy>
#include <QTest>

using vantor::core::CheckLists;
using vantor::core::ResultListModel;
using vantor::records::ResultRow;

// The list models the check pages show, and the filling of the language's place holders.
class CheckListsTest : public QObject
{
    Q_OBJECT

private slots:
    void listsCarryTheirColumnsFromTheTextTable()
    {
        const vantor::storage::TextTable texts;
        CheckLists lists(texts);
        QCOMPARE(lists.accounts().columnCount(), 6);
        QCOMPARE(lists.accounts().headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Message"));
        QCOMPARE(lists.kept().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("EMail Filtered"));
        QCOMPARE(lists.deleted().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("EMail Deleted"));
        QCOMPARE(lists.previewAccounts().columnCount(), 4);
        QCOMPARE(lists.preview().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("EMail"));
    }

    void rowsAreShapedToTheColumns()
    {
        ResultListModel list({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")},
                             ResultListModel::Ticks::None);
        const int first = list.addRow(ResultRow{"caption", 3, {}});
        const int second = list.addRow(ResultRow{"other", 5, {"one", "two", "three"}});
        QCOMPARE(list.row(first).subItems.size(), std::size_t(2));
        QCOMPARE(list.row(second).subItems, (std::vector<std::string>{"one", "two"}));
        QCOMPARE(list.data(list.index(second, 2), Qt::DisplayRole).toString(), QStringLiteral("two"));
        QCOMPARE(list.data(list.index(first, 0), ResultListModel::IconRole).toInt(), 3);
        // Bytes that are not UTF-8 show as Windows-1252, as old servers send them.
        list.setSubItem(first, 0, "caf\xe9");
        QCOMPARE(list.data(list.index(first, 1), Qt::DisplayRole).toString(), QString::fromUtf8("caf\u00e9"));
        list.setSubItem(first, 7, "ignored");
        QCOMPARE(list.subItem(first, 7), std::string());
        // Without check boxes nothing can be ticked.
        list.setTicked(first, true);
        QVERIFY(!list.isTicked(first));
        QVERIFY(!(list.flags(list.index(first, 0)) & Qt::ItemIsUserCheckable));
    }

    void ticksChangeByTheUserAndAreCounted()
    {
        ResultListModel preview({QStringLiteral("Account"), QStringLiteral("EMail")},
                                ResultListModel::Ticks::Checkable);
        preview.addRow(ResultRow{"Home", 1, {"a@example.org"}}, true);
        preview.addRow(ResultRow{"Home", 6, {"b@example.org"}}, false);
        QSignalSpy changes(&preview, &ResultListModel::tickChanged);
        QCOMPARE(preview.tickedCount(), 1);
        QVERIFY(preview.flags(preview.index(1, 0)) & Qt::ItemIsUserCheckable);

        QVERIFY(preview.setData(preview.index(1, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(preview.tickedCount(), 2);
        QCOMPARE(preview.data(preview.index(1, 0), Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
        // Setting the same state again is no change.
        preview.setTicked(1, true);
        QCOMPARE(changes.size(), 1);
        QVERIFY(!preview.setData(preview.index(1, 1), Qt::Unchecked, Qt::CheckStateRole));

        preview.setRows({ResultRow{"Saved", 0, {}}});
        QCOMPARE(preview.size(), 1);
        QCOMPARE(preview.tickedCount(), 0);
    }

    void placeholdersAreFilledInOrderAndNeverInterpreted()
    {
        using vantor::core::fillPlaceholders;
        QCOMPARE(fillPlaceholders(QStringLiteral("Total emails %d: %d read and %d delete"),
                                  {QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("2")}),
                 QStringLiteral("Total emails 3: 1 read and 2 delete"));
        QCOMPARE(fillPlaceholders(QStringLiteral("There are %s new mails"), {QStringLiteral("4")}),
                 QStringLiteral("There are 4 new mails"));
        // A language file with more place holders than values, or other printf directives, stays readable.
        QCOMPARE(fillPlaceholders(QStringLiteral("%s %s %n %"), {QStringLiteral("x")}),
                 QStringLiteral("x %s %n %"));
    }
};

QTEST_GUILESS_MAIN(CheckListsTest)
#include "CheckListsTest.moc"
