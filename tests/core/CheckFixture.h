#pragma once

#include "FakeConnectionDetector.h"
#include "RecordingCheckHost.h"
#include "RecordingStatusSink.h"
#include "support/ScriptedUserPrompts.h"
#include "support/SteppingClock.h"
#include "base/Clock.h"
#include "core/check/CheckController.h"
#include "core/check/CheckServices.h"
#include "core/check/Mailbox.h"
#include "core/program/HomeDirectory.h"
#include "core/program/ProcessState.h"
#include "core/program/SettingsFile.h"
#include "filter/Profile.h"
#include "storage/ErrorLog.h"
#include "storage/TextTable.h"

#include <QByteArrayList>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace vantor::test {

class TestMailServer;

// A home directory in a temporary folder with everything a check needs around it: English texts, an
// error log whose entries are one second apart (so no entry of a run replaces another), scripted prompts,
// a detector that is online, recording status and host, a clock that stands still, and the check
// controller itself over a real POP3 mailbox, or over the mailbox a test hands in. The real mailbox's
// connections trust the CA given by trustCa(), so accounts may use TLS against the test server.
class CheckFixture
{
public:
    // timeOut: the seconds a POP3 reply may take; short, so that a test of a silent server ends soon.
    explicit CheckFixture(int timeOut = 5);
    explicit CheckFixture(std::unique_ptr<core::Mailbox> mailbox);

    QString path(const QString& relative) const { return home.filePath(relative); }
    // The real mailbox asks for CAPA and UIDL: pipelined windows and the header cache, as in the program.
    void enableSpeedUps();
    void trustCa(const QString& caCertificatePath) { m_caPath = caCertificatePath; }

    // Adds an account with Check set; security "" stores no key (the port decides).
    void addAccount(const QString& description, const QString& host, quint16 port, const QString& user,
                    const QString& password, const QString& profile = QStringLiteral("Default"),
                    const QString& security = QString());
    template <typename Setting, typename Value> void setSetting(const Setting& setting, const Value& value)
    {
        core::SettingsFile settings(home);
        settings.write(setting, value);
        settings.save();
    }
    void writeProfile(const QString& name, const filter::Profile& profile) const;
    void writeBlackList(const QString& name, const QByteArrayList& lines) const;
    // The spam corpus's profile "Spam" with the black list it names, "Spammers".
    void writeCorpusProfile() const;
    // A fresh mailbox of server filled with the corpus, and the account "Home" on it filtered by the corpus
    // profile, reached through port (the server's own when 0); the user name of the mailbox.
    QString addCorpusAccount(TestMailServer& server, quint16 port = 0);

    // The texts of Error.log's entries, in order.
    QStringList errorEntries() const;
    // The report lines without their time stamps.
    QStringList reportTexts() const;
    // Caption, icon and sub-items of every row of a list, as "caption|icon|sub1|sub2...".
    static QStringList rowTexts(const core::ResultListModel& list);
    // emails.log's Emails, Filtered and Deleted of today, as "e/f/d"; "none" without a section.
    QString todaysTotals() const;

private:
    // Read by the real mailbox's socket factory, which runs as soon as that mailbox is made.
    QString m_caPath;

public:
    QTemporaryDir dir;
    core::HomeDirectory home;
    storage::TextTable texts;
    SteppingClock logClock;
    storage::ErrorLog errorLog;
    ScriptedUserPrompts prompts;
    FakeConnectionDetector detector;
    RecordingStatusSink status;
    RecordingCheckHost host;
    core::ProcessState state;
    base::SettableClock clock;
    std::unique_ptr<core::Mailbox> mailbox;
    core::CheckServices services;
    std::unique_ptr<core::CheckController> checks;

private:
    std::unique_ptr<core::Mailbox> makePop3Mailbox(int timeOut);
};

} // namespace vantor::test
