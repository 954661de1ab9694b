#include "CheckFixture.h"

#include "SpamCorpus.h"
#include "support/TestFiles.h"
#include "TestMailServer.h"
#include "core/accounts/AccountStore.h"
#include "core/check/Pop3Mailbox.h"
#include "core/program/DisplayText.h"
#include "filter/ProfileStore.h"
#include "records/StatisticsLog.h"
#include "storage/IniFile.h"
#include "support/TrustingSocket.h"

namespace vantor::test {

CheckFixture::CheckFixture(int timeOut)
    : home(dir.path())
    , errorLog(home.nativeDir(), logClock)
    , mailbox(makePop3Mailbox(timeOut))
    , services{home, texts, errorLog, prompts, detector, status, host, state, *mailbox, clock}
    , checks(std::make_unique<core::CheckController>(services))
{
    detector.setOnline(true);
}

CheckFixture::CheckFixture(std::unique_ptr<core::Mailbox> mailbox)
    : home(dir.path())
    , errorLog(home.nativeDir(), logClock)
    , mailbox(std::move(mailbox))
    , services{home, texts, errorLog, prompts, detector, status, host, state, *this->mailbox, clock}
    , checks(std::make_unique<core::CheckController>(services))
{
    detector.setOnline(true);
}

std::unique_ptr<core::Mailbox> CheckFixture::makePop3Mailbox(int timeOut)
{
    auto pop3 = std::make_unique<core::Pop3Mailbox>([this]() -> std::unique_ptr<QSslSocket> {
        if (m_caPath.isEmpty())
            return std::make_unique<QSslSocket>();
        return support::trustingSocket(m_caPath);
    });
    pop3->setTimeOut(timeOut);
    return pop3;
}

void CheckFixture::enableSpeedUps()
{
    auto* pop3 = dynamic_cast<core::Pop3Mailbox*>(mailbox.get());
    if (!pop3)
        qFatal("speed-ups need the real POP3 mailbox");
    pop3->enableSpeedUps(home.nativeDir());
}

void CheckFixture::addAccount(const QString& description, const QString& host, quint16 port,
                              const QString& user, const QString& password, const QString& profile,
                              const QString& security)
{
    core::AccountFields fields;
    fields.description = description.toStdString();
    fields.popServer = host.toStdString();
    fields.popPort = std::to_string(port);
    fields.username = user.toStdString();
    fields.password = password.toStdString();
    fields.profile = profile.toStdString();
    fields.popSecurity = security.toStdString();
    core::AccountStore store(home, errorLog);
    if (store.add(fields) != core::AccountStore::WriteResult::Stored)
        qFatal("cannot store the test account");
}

void CheckFixture::writeProfile(const QString& name, const filter::Profile& profile) const
{
    filter::ProfileStore(home.nativeDir()).write(name.toStdString(), profile);
}

void CheckFixture::writeBlackList(const QString& name, const QByteArrayList& lines) const
{
    TestFiles::write(path(QStringLiteral("BList/") + name + QStringLiteral(".vtl")),
                     lines.join("\r\n") + "\r\n");
}

void CheckFixture::writeCorpusProfile() const
{
    writeProfile(QStringLiteral("Spam"), SpamCorpus::profile());
    writeBlackList(QStringLiteral("Spammers"), SpamCorpus::blackList());
}

QString CheckFixture::addCorpusAccount(TestMailServer& server, quint16 port)
{
    const QString user = server.newUser();
    for (const SpamCorpus::Message& message : SpamCorpus::messages())
        server.putMessage(user, message.bytes);
    writeCorpusProfile();
    addAccount(QStringLiteral("Home"), server.host(), port == 0 ? server.port() : port, user,
               TestMailServer::Password, QStringLiteral("Spam"));
    return user;
}

QStringList CheckFixture::errorEntries() const
{
    QStringList entries;
    const storage::IniFile log(home.nativeFilePath("Error.log"));
    for (const std::string& line : log.readSectionValues("Error List"))
        entries.append(core::displayText(line.substr(line.find('=') + 1)));
    return entries;
}

QStringList CheckFixture::reportTexts() const
{
    QStringList texts;
    for (const std::string& line : checks->lastReport())
        texts.append(core::displayText(line.substr(line.find(" - ") + 3)));
    return texts;
}

QStringList CheckFixture::rowTexts(const core::ResultListModel& list)
{
    QStringList rows;
    for (const records::ResultRow& row : list.rows()) {
        QStringList parts{core::displayText(row.caption), QString::number(row.icon)};
        for (const std::string& item : row.subItems)
            parts.append(core::displayText(item));
        rows.append(parts.join(QLatin1Char('|')));
    }
    return rows;
}

QString CheckFixture::todaysTotals() const
{
    const std::string section = records::StatisticsLog::sectionName(
        std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(clock.localNow())});
    const storage::IniFile log(home.nativeFilePath("emails.log"));
    if (!log.sectionExists(section))
        return QStringLiteral("none");
    return QStringLiteral("%1/%2/%3")
        .arg(log.readInteger(section, "Emails", 0))
        .arg(log.readInteger(section, "Filtered", 0))
        .arg(log.readInteger(section, "Deleted", 0));
}

} // namespace vantor::test
