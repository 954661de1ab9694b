#include "ui/dialogs/SpammersListDialog.h"

#include "RecordingShellOpen.h"
#include "core/program/ProductInfo.h"

#include <QPushButton>
#include <QTest>
#include <QUrlQuery>

using namespace vantor;
using ui::SpammersListDialog;

class SpammersListDialogTest : public QObject
{
    Q_OBJECT

private:
    storage::TextTable m_texts;

private slots:
    void theLinkStartsTheMailAndClosesEvenWhenNothingTakesIt()
    {
        test::RecordingShellOpen shell;
        shell.urlOpens = false;
        SpammersListDialog dialog(m_texts, shell, QStringLiteral("2.5"));
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Spammers List"));
        QCOMPARE(dialog.sendLabel().cursor().shape(), Qt::PointingHandCursor);

        QTest::mouseClick(&dialog.sendLabel(), Qt::LeftButton);
        QCOMPARE(shell.openedUrls.size(), 1);
        const QUrl link = shell.openedUrls.constFirst();
        QCOMPARE(link.scheme(), QStringLiteral("mailto"));
        QCOMPARE(link.path(), core::ProductInfo::supportAddress());
        QCOMPARE(QUrlQuery(link).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("EMail Vantor 2.5: Black List of Spammers"));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void closeOpensNothing()
    {
        test::RecordingShellOpen shell;
        SpammersListDialog dialog(m_texts, shell, QStringLiteral("2.5"));
        dialog.show();
        auto* close = dialog.findChild<QPushButton*>(QStringLiteral("CloseBtn"));
        QVERIFY(close);
        QCOMPARE(close->text(), QStringLiteral("Close"));
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(shell.openedUrls.isEmpty());
    }
};

QTEST_MAIN(SpammersListDialogTest)
#include "SpammersListDialogTest.moc"
