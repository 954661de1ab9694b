#include "ui/dialogs/FilterForm.h"

#include "ModalDialogs.h"
#include "support/ScriptedUserPrompts.h"
#include "support/TestFiles.h"
#include "ui/dialogs/BlackListTab.h"
#include "ui/dialogs/CriteriaDialog.h"
#include "ui/dialogs/FilterChoiceBox.h"
#include "ui/dialogs/RuleListTab.h"

#include <QAbstractItemView>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using filter::FilterRule;
using filter::RuleList;
using test::TestFiles;
using ui::CriteriaDialog;
using ui::FilterForm;

namespace {

// Every key away from its default, so that a control that ignores its key shows.
const QByteArray FullProfile =
    "[FilterActive]\r\nSender=0\r\nSubject=1\r\nHeaders=0\r\nExceptions=1\r\nOther=0\r\n"
    "[General]\r\nFilter1=2\r\nFilter2=1\r\nFilter3=1\r\nFilter4=1\r\n"
    "[Fil1-1]\r\nType=EMail\r\nCondition=Ends with\r\nString=@spam.test\r\nCase=Yes\r\n"
    "Check=1\r\n"
    "[Fil1-2]\r\nType=Domain\r\nCondition=Equals\r\nString=bad.test\r\nCase=No\r\nCheck=0\r\n"
    "[Fil2-1]\r\nType=Starts with\r\nString=ADV:\r\nCase=No\r\nCheck=1\r\n"
    "[Fil3-1]\r\nType=Contains\r\nString=X-Bulk\r\nCase=Yes\r\nCheck=0\r\n"
    "[Fil4-1]\r\nDescription=Boss\r\nType=EMail\r\nCondition=Equals\r\n"
    "String=boss@work.test\r\nCase=No\r\nCheck=1\r\n"
    "[Fil5]\r\nGR1=0\r\nGR2=0\r\nGR3=1\r\nGR4=1\r\nEst=1\r\nEstValue=300\r\nEbt=1\r\n"
    "EbtValue=50000\r\nPry=1\r\nPryValue=4\r\nEBLF=1\r\nBList=Spam\r\nMLD=1\r\nMLDNum=250\r\n"
    "[Fil6]\r\nDomain2=.com\r\nDomainValue2=1\r\nDomain250=.zw\r\nDomainValue250=1\r\n";

QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList result;
    for (const char* each : texts)
        result.append(QString::fromUtf8(each));
    return result;
}

QStringList rowTexts(const QTreeWidgetItem& item)
{
    QStringList texts;
    for (int column = 0; column < item.columnCount(); ++column)
        texts.append(item.text(column));
    return texts;
}

} // namespace

class FilterFormTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<core::HomeDirectory> m_home;
    storage::TextTable m_texts;
    std::unique_ptr<test::ScriptedUserPrompts> m_prompts;
    std::vector<FilterRule> m_contacts;
    std::unique_ptr<FilterForm> m_form;

    std::unique_ptr<filter::ProfileStore> store() const
    {
        return std::make_unique<filter::ProfileStore>(m_home->nativeDir());
    }
    QString file(const QString& relative) const { return m_home->filePath(relative); }
    void write(const QString& relative, const QByteArray& bytes)
    {
        QVERIFY(TestFiles::write(file(relative), bytes));
    }
    // The profile file's place taken by a folder: reading and writing it both fail, even as root.
    void breakProfile(const std::string& name)
    {
        const QString path = file(QStringLiteral("Profile/%1.vtf").arg(QString::fromStdString(name)));
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
    }
    FilterForm& open()
    {
        m_form = std::make_unique<FilterForm>(
            FilterForm::Services{*m_home, m_texts, *m_prompts, [this] { return m_contacts; }});
        m_form->show();
        return *m_form;
    }
    template <class T> T& child(const char* objectName)
    {
        auto* found = m_form->findChild<T*>(QString::fromLatin1(objectName));
        if (!found)
            qFatal("no %s", objectName);
        return *found;
    }
    void click(const char* objectName) { QTest::mouseClick(&child<QPushButton>(objectName), Qt::LeftButton); }
    QTreeWidget& list(RuleList which) { return m_form->ruleTab(which).view(); }
    void choose(int index)
    {
        ui::FilterChoiceBox& choice = m_form->profileChoice();
        choice.showPopup();
        if (!choice.view()->isVisible())
            return;
        choice.hidePopup();
        choice.setCurrentIndex(index);
        emit choice.activated(index);
    }
    QStringList choiceTexts()
    {
        QStringList texts;
        for (int i = 0; i < m_form->profileChoice().count(); ++i)
            texts.append(m_form->profileChoice().itemText(i));
        return texts;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_home = std::make_unique<core::HomeDirectory>(m_dir.path());
        m_texts.reset();
        m_prompts = std::make_unique<test::ScriptedUserPrompts>();
        m_contacts.clear();
    }
    void cleanup() { m_form.reset(); }

    void loadsTheFirstProfileAndOkWritesItBackUnchanged()
    {
        write(QStringLiteral("Profile/A.vtf"), "");
        write(QStringLiteral("Profile/B.vtf"), "");
        write(QStringLiteral("BList/Spam.vtl"), "one@spam.test\r\nspam.test\r\nthree@spam.test\r\n");
        write(QStringLiteral("BList/Default.vtl"), "x\r\n");
        // Whatever the folder lists first is what the editor shows first.
        const std::string first = store()->list().front();
        write(QStringLiteral("Profile/%1.vtf").arg(QString::fromStdString(first)), FullProfile);
        const filter::Profile stored = store()->read(first);

        open();
        QCOMPARE(m_form->currentProfileName(), first);
        QCOMPARE(m_form->tabs().currentIndex(), 0);
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Filters"));
        QCOMPARE((QList<bool>{
                     child<QCheckBox>("SenderOn").isChecked(), child<QCheckBox>("SubjectOn").isChecked(),
                     child<QCheckBox>("HeadersOn").isChecked(), child<QCheckBox>("ExceptionsOn").isChecked(),
                     child<QCheckBox>("OtherOn").isChecked()}),
                 (QList<bool>{false, true, false, true, false}));
        QCOMPARE(list(RuleList::Sender).topLevelItemCount(), 2);
        QCOMPARE(rowTexts(*list(RuleList::Sender).topLevelItem(0)),
                 strings({"EMail", "Ends with", "@spam.test", "Yes"}));
        QCOMPARE(list(RuleList::Sender).topLevelItem(0)->checkState(0), Qt::Checked);
        QCOMPARE(list(RuleList::Sender).topLevelItem(1)->checkState(0), Qt::Unchecked);
        QCOMPARE(rowTexts(*list(RuleList::Subject).topLevelItem(0)), strings({"Starts with", "ADV:", "No"}));
        QCOMPARE(rowTexts(*list(RuleList::Headers).topLevelItem(0)), strings({"Contains", "X-Bulk", "Yes"}));
        QCOMPARE(rowTexts(*list(RuleList::Exceptions).topLevelItem(0)),
                 strings({"Boss", "EMail", "Equals", "boss@work.test", "No"}));
        for (const char* off : {"GR1", "GR2"})
            QVERIFY(!child<QCheckBox>(off).isChecked());
        for (const char* on : {"GR3", "GR4", "Est", "Ebt", "Pry", "MLD", "EBLF"})
            QVERIFY2(child<QCheckBox>(on).isChecked(), on);
        QCOMPARE(child<QSpinBox>("EstValue").value(), 300);
        QCOMPARE(child<QSpinBox>("EbtValue").value(), 50000);
        QCOMPARE(child<QComboBox>("PryValue").currentText(), QStringLiteral("Lowest"));
        QListWidget& domains = child<QListWidget>("DomainList");
        QCOMPARE(domains.count(), 250);
        QList<int> ticked;
        for (int i = 0; i < domains.count(); ++i) {
            if (domains.item(i)->checkState() == Qt::Checked)
                ticked.append(i);
        }
        QCOMPARE(ticked, (QList<int>{1, 249}));
        QCOMPARE(domains.toolTip(), QStringLiteral("Select BAD mail level domain"));
        QCOMPARE(child<QComboBox>("BListChoice").currentText(), QStringLiteral("Spam"));
        QCOMPARE(child<QGroupBox>("BListGroup").title(), QStringLiteral("Black List Spammers: 3"));
        QVERIFY(child<QPlainTextEdit>("BListView").isReadOnly());
        QCOMPARE(child<QPlainTextEdit>("BListView").toPlainText(),
                 QStringLiteral("one@spam.test\nspam.test\nthree@spam.test"));

        click("OKBtn");
        QCOMPARE(m_form->result(), int(QDialog::Accepted));
        // Written by the editor, the file reads back as it was read and as the dialog showed it.
        const filter::Profile saved = store()->read(first);
        QCOMPARE(saved, stored);
        filter::Profile shown = m_form->shownProfile();
        shown.badDomainEndings = saved.badDomainEndings;
        QCOMPARE(shown, saved);

        QComboBox& lists = child<QComboBox>("BListChoice");
        const int defaultList = lists.findText(QStringLiteral("Default"));
        lists.setCurrentIndex(defaultList);
        emit lists.activated(defaultList);
        QCOMPARE(child<QGroupBox>("BListGroup").title(), QStringLiteral("Black List Spammers: 1"));
        QCOMPARE(m_form->shownProfile().general.bList, std::string("Default"));
    }

    void switchingSavesTheShownProfileBeforeLoadingTheNext()
    {
        write(QStringLiteral("Profile/A.vtf"), "[Fil5]\r\nGR3=0\r\nBList=Gone\r\n");
        write(QStringLiteral("Profile/B.vtf"), "[Fil5]\r\nGR3=0\r\nBList=Gone\r\n");
        write(QStringLiteral("BList/Default.vtl"), "x\r\n");
        open();
        const std::string first = m_form->currentProfileName();
        const std::string second = first == "A" ? "B" : "A";
        QTest::mouseClick(&child<QCheckBox>("GR3"), Qt::LeftButton);
        m_form->ruleTab(RuleList::Subject).appendRule(FilterRule{"", "", "Equals", "Win", "No", true});
        // Stepping the choice by key would load the next profile unsaved: keys do nothing there.
        QTest::keyClick(&m_form->profileChoice(), Qt::Key_Down);
        QTest::keyClick(&m_form->profileChoice(), Qt::Key_B);
        QCOMPARE(m_form->currentProfileName(), first);
        QVERIFY(!store()->read(first).general.blockEmptyReceiver);

        choose(1);
        QVERIFY(store()->read(first).general.blockEmptyReceiver);
        QCOMPARE(store()->read(first).subjectRules.size(), std::size_t(1));
        QCOMPARE(m_form->currentProfileName(), second);
        QVERIFY(!child<QCheckBox>("GR3").isChecked());
        QCOMPARE(list(RuleList::Subject).topLevelItemCount(), 0);

        // The profile names a black list that does not exist: the choice is empty, yet saving keeps the name.
        QCOMPARE(child<QComboBox>("BListChoice").currentIndex(), -1);
        QCOMPARE(child<QComboBox>("BListChoice").count(), 1);
        click("OKBtn");
        QCOMPARE(store()->read(second).general.bList, std::string("Gone"));
        QVERIFY(m_prompts->errors.isEmpty());
    }

    void saveAsAndAddMakeProfilesFromTheShownOne()
    {
        write(QStringLiteral("BList/Spam.vtl"), "a@b.test\r\n");
        write(QStringLiteral("Profile/Default.vtf"), FullProfile);
        const filter::Profile original = store()->read("Default");
        open();

        // Cancel, then a name that would leave the profile folder: nothing happens.
        m_prompts->textAnswers = QStringList{QString(), QStringLiteral("../Escaped")};
        click("SaveAsBtn");
        click("SaveAsBtn");
        QCOMPARE(m_prompts->errors.size(), 1);
        QVERIFY(!QFile::exists(file(QStringLiteral("Escaped.vtf"))));

        m_prompts->textAnswers = QStringList{QStringLiteral("Default"), QStringLiteral("Copy")};
        click("SaveAsBtn");
        QCOMPARE(choiceTexts(), strings({"Default", "Default"}));
        QCOMPARE(m_form->profileChoice().currentIndex(), 1);
        click("SaveAsBtn");
        QCOMPARE(m_prompts->textPrompts.last(), QStringLiteral("Save as...|Profile name:"));
        QCOMPARE(store()->read("Default"), original);
        QCOMPARE(store()->read("Copy"), original);
        QCOMPARE(m_form->currentProfileName(), std::string("Copy"));

        // Add saves Copy's change first, then starts from the defaults with the ticks and list kept.
        QTest::mouseClick(&child<QCheckBox>("GR1"), Qt::LeftButton);
        m_prompts->textAnswers = QStringList{QStringLiteral("Fresh")};
        click("AddProfileBtn");
        QCOMPARE(m_prompts->textPrompts.last(), QStringLiteral("Add|Profile name:"));
        QVERIFY(store()->read("Copy").general.blockEmptySender);
        QCOMPARE(m_form->currentProfileName(), std::string("Fresh"));
        const filter::Profile fresh = store()->read("Fresh");
        filter::Profile expected;
        expected.general.eblf = true;
        expected.general.bList = "Spam";
        expected.general.mldNum = 250;
        expected.domainTicks = original.domainTicks;
        expected.badDomainEndings = {".com", ".zw"};
        QCOMPARE(fresh, expected);
        QVERIFY(child<QCheckBox>("EBLF").isChecked());
        QVERIFY(!child<QCheckBox>("MLD").isChecked());
        QVERIFY(child<QCheckBox>("SenderOn").isChecked());
        QCOMPARE(list(RuleList::Sender).topLevelItemCount(), 0);
        QCOMPARE(m_prompts->errors.size(), 1);
    }

    void deleteRefusesDefaultAndMissingFiles()
    {
        write(QStringLiteral("Profile/Default.vtf"), "");
        open();
        m_prompts->yesNoAnswers = QList<bool>{true};
        click("DeleteProfileBtn");
        QCOMPARE(m_prompts->errors, strings({"Sorry but cannot delete default profile."}));
        QVERIFY(store()->exists("Default"));

        m_prompts->textAnswers = QStringList{QStringLiteral("Old"), QStringLiteral("Spare")};
        click("SaveAsBtn");
        click("SaveAsBtn");
        QVERIFY(QFile::remove(file(QStringLiteral("Profile/Spare.vtf"))));
        click("DeleteProfileBtn");
        QCOMPARE(m_prompts->errors.last(), QStringLiteral("Profile file don't exist."));
        QVERIFY(m_prompts->questions.isEmpty());

        // "Old" is the second entry; No keeps it, Yes removes file and entry and shows the first profile.
        m_form->profileChoice().setCurrentIndex(1);
        m_prompts->yesNoAnswers = QList<bool>{false, true};
        click("DeleteProfileBtn");
        QVERIFY(store()->exists("Old"));
        click("DeleteProfileBtn");
        QCOMPARE(m_prompts->questions, strings({"Delete selected item?", "Delete selected item?"}));
        QVERIFY(!store()->exists("Old"));
        QCOMPARE(choiceTexts(), strings({"Default", "Spare"}));
        QCOMPARE(m_form->currentProfileName(), std::string("Default"));
    }

    void ruleButtonsFollowTheVisibleListAndTheCriteriaDialog()
    {
        write(QStringLiteral("Profile/Default.vtf"), "");
        open();
        test::ModalDialogs modals;
        modals.setAnswer(QStringLiteral("Criteria"), [](QWidget& widget) {
            auto& criteria = static_cast<CriteriaDialog&>(widget);
            criteria.typeChoice().setCurrentIndex(1);      // "EMail"
            criteria.conditionChoice().setCurrentIndex(2); // "Equals"
            criteria.stringEdit().setText(QStringLiteral(" x@y.test"));
            criteria.caseBox().setChecked(true);
            criteria.okBtnClick();
        });
        QVERIFY(child<QPushButton>("AddRuleBtn").isEnabled());
        QVERIFY(!child<QPushButton>("EditRuleBtn").isEnabled());
        click("AddRuleBtn");
        QTreeWidget& senders = list(RuleList::Sender);
        QCOMPARE(senders.topLevelItemCount(), 1);
        QCOMPARE(rowTexts(*senders.topLevelItem(0)), strings({"EMail", "Equals", " x@y.test", "Yes"}));
        QCOMPARE(senders.topLevelItem(0)->checkState(0), Qt::Checked);

        senders.setCurrentItem(senders.topLevelItem(0));
        QVERIFY(child<QPushButton>("EditRuleBtn").isEnabled());
        m_form->tabs().setCurrentIndex(2);
        QVERIFY(!child<QPushButton>("DeleteRuleBtn").isEnabled());
        m_form->tabs().setCurrentIndex(4);
        QVERIFY(!child<QPushButton>("AddRuleBtn").isEnabled());
        m_form->tabs().setCurrentIndex(0);
        QVERIFY(child<QPushButton>("DeleteRuleBtn").isEnabled());

        // Editing keeps the row's tick.
        senders.topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        modals.setAnswer(QStringLiteral("Criteria"), [](QWidget& widget) {
            auto& criteria = static_cast<CriteriaDialog&>(widget);
            QCOMPARE(criteria.stringEdit().text(), QStringLiteral(" x@y.test"));
            criteria.stringEdit().setText(QStringLiteral("z@y.test"));
            criteria.okBtnClick();
        });
        click("EditRuleBtn");
        QCOMPARE(m_form->ruleTab(RuleList::Sender).rule(0),
                 (FilterRule{"", "EMail", "Equals", "z@y.test", "Yes", false}));

        click(("List1CheckAll"));
        QCOMPARE(senders.topLevelItem(0)->checkState(0), Qt::Checked);
        m_prompts->yesNoAnswers = QList<bool>{true};
        click("DeleteRuleBtn");
        QCOMPARE(senders.topLevelItemCount(), 0);
        QVERIFY(!child<QPushButton>("EditRuleBtn").isEnabled());

        // Contacts come in as ticked exceptions behind any already there.
        m_form->ruleTab(RuleList::Exceptions)
            .appendRule(FilterRule{"Old", "Domain", "Equals", "a.test", "No", false});
        m_contacts = {FilterRule{"Ann", "EMail", "Equals", "ann@b.test", "No", false},
                      FilterRule{"Bob", "EMail", "Equals", "bob@b.test", "No", false}};
        click("ImportContactsBtn");
        const std::vector<FilterRule> exceptions = m_form->ruleTab(RuleList::Exceptions).rules();
        QCOMPARE(exceptions.size(), std::size_t(3));
        QCOMPARE(exceptions[1], (FilterRule{"Ann", "EMail", "Equals", "ann@b.test", "No", true}));
        QVERIFY(exceptions[2].check && !exceptions[0].check);
        m_prompts->yesNoAnswers = QList<bool>{true};
        click("List4DeleteAll");
        QCOMPARE(m_prompts->questions.last(), QStringLiteral("Delete all filters?"));
        QCOMPARE(list(RuleList::Exceptions).topLevelItemCount(), 0);
    }

    void criteriaRefusesAnEmptyStringAndStoresEnglishKeywords()
    {
        test::ModalDialogs modals;
        CriteriaDialog sender(m_texts, CriteriaDialog::Page::TypeCondition,
                              FilterRule{"", "Domain", "Contains", "", "No", true});
        sender.show();
        sender.okBtnClick();
        QCOMPARE(modals.seen(), strings({"FillStringBox"}));
        QVERIFY(sender.isVisible());
        QCOMPARE(sender.result(), int(QDialog::Rejected));

        // An exception of a stored "Domain ... Contains" is shown as the "Equals" rule it is.
        CriteriaDialog exception(m_texts, CriteriaDialog::Page::Exception,
                                 FilterRule{"d", "Domain", "Contains", "a.test", "Yes", true});
        QCOMPARE(exception.conditionChoice().currentText(), QStringLiteral("Equals"));
        QVERIFY(!exception.conditionChoice().isEnabled());
        exception.typeChoice().setCurrentIndex(2); // "Subject"
        QVERIFY(exception.conditionChoice().isEnabled());
        exception.conditionChoice().setCurrentIndex(0);
        exception.typeChoice().setCurrentIndex(1); // "EMail"
        QCOMPARE(exception.rule(), (FilterRule{"d", "EMail", "Equals", "a.test", "Yes", true}));

        m_texts.loadLanguage(VANTOR_SOURCE_DIR "/data", "Deutsch");
        CriteriaDialog german(m_texts, CriteriaDialog::Page::Exception,
                              FilterRule{"", "Subject", "Contains", "", "No", true});
        QCOMPARE(german.typeChoice().currentText(), QStringLiteral("Betreff"));
        german.conditionChoice().setCurrentIndex(
            german.conditionChoice().findText(QStringLiteral("Endet mit")));
        german.stringEdit().setText(QStringLiteral("Gewinn "));
        QCOMPARE(german.rule(), (FilterRule{"", "Subject", "Ends with", "Gewinn ", "No", true}));
        CriteriaDialog subject(m_texts, CriteriaDialog::Page::SubjectHeader,
                               FilterRule{"", "", "Starts with", "x", "Yes", true});
        QCOMPARE(subject.conditionChoice().currentText(), QStringLiteral("Beginnt mit"));
        QCOMPARE(subject.rule().condition, std::string("Starts with"));
    }

    void noProfileFolderAndDamagedFiles()
    {
        open();
        QCOMPARE(m_form->profileChoice().count(), 0);
        QTest::keyClick(m_form.get(), Qt::Key_Escape);
        QVERIFY(m_form->isVisible());
        click("OKBtn");
        QCOMPARE(m_form->result(), int(QDialog::Accepted));
        QVERIFY(!QDir(file(QStringLiteral("Profile"))).exists());

        write(QStringLiteral("Profile/A.vtf"), FullProfile);
        write(QStringLiteral("Profile/B.vtf"), FullProfile);
        open();
        const std::string first = m_form->currentProfileName();
        const std::string second = first == "A" ? "B" : "A";

        // The shown file cannot be written: the error names it, and the user may stay to save elsewhere.
        breakProfile(first);
        m_prompts->yesNoAnswers = QList<bool>{false};
        click("OKBtn");
        QCOMPARE(m_prompts->errors.size(), 1);
        QVERIFY(m_prompts->errors[0].startsWith(QStringLiteral("Cannot write in this profile.")));
        QVERIFY(m_prompts->errors[0].contains(
            QStringLiteral("/Profile/%1.vtf").arg(QString::fromStdString(first))));
        QVERIFY(m_form->isVisible());
        choose(1);
        QCOMPARE(m_form->currentProfileName(), first);
        QVERIFY(!m_form->profileChoice().view()->isVisible());

        // Going on without saving; the next profile cannot be read: nothing of it shows, nothing is saved.
        QDir(file(QStringLiteral("Profile/%1.vtf").arg(QString::fromStdString(first)))).removeRecursively();
        QVERIFY(TestFiles::write(file(QStringLiteral("Profile/%1.vtf").arg(QString::fromStdString(first))),
                                 FullProfile));
        breakProfile(second);
        choose(1);
        QCOMPARE(m_form->currentProfileName(), second);
        QVERIFY(m_prompts->errors.last().startsWith(
            QStringLiteral("Cannot read %1.\n")
                .arg(file(QStringLiteral("Profile/%1.vtf").arg(QString::fromStdString(second))))));
        QVERIFY(!m_form->tabs().isEnabled());
        QCOMPARE(list(RuleList::Sender).topLevelItemCount(), 0);
        click("OKBtn");
        QCOMPARE(m_form->result(), int(QDialog::Accepted));
        QVERIFY(
            QFileInfo(file(QStringLiteral("Profile/%1.vtf").arg(QString::fromStdString(second)))).isDir());
    }

    void screenshot()
    {
        const QString target = qEnvironmentVariable("VANTOR_SCREENSHOTS");
        if (target.isEmpty())
            QSKIP("VANTOR_SCREENSHOTS names no directory");
        write(QStringLiteral("Profile/Default.vtf"), FullProfile);
        write(QStringLiteral("BList/Spam.vtl"), "one@spam.test\r\nspam.test\r\n");
        open();
        QVERIFY(m_form->grab().save(target + QStringLiteral("/FilterForm.png")));
        m_form->tabs().setCurrentIndex(4);
        QVERIFY(m_form->grab().save(target + QStringLiteral("/FilterFormOther.png")));
        m_form->tabs().setCurrentIndex(5);
        QVERIFY(m_form->grab().save(target + QStringLiteral("/FilterFormBlackList.png")));
        CriteriaDialog criteria(m_texts, CriteriaDialog::Page::Exception,
                                m_form->ruleTab(RuleList::Exceptions).rule(0));
        criteria.show();
        QVERIFY(criteria.grab().save(target + QStringLiteral("/Criteria.png")));
    }
};

QTEST_MAIN(FilterFormTest)
#include "FilterFormTest.moc"
