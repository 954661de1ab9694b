#include "SpamCorpus.h"

#include "support/TestFiles.h"
#include "filter/MainLevelDomains.h"

#include <algorithm>

namespace vantor::test {

namespace {

filter::FilterRule rule(const char* type, const char* condition, const char* pattern,
                        const char* caseText = "No")
{
    filter::FilterRule result;
    result.type = type;
    result.condition = condition;
    result.pattern = pattern;
    result.caseText = caseText;
    result.check = true;
    return result;
}

SpamCorpus::Message fromFile(const char* name, const char* sender, int verdict)
{
    const QByteArray raw =
        TestFiles::read(QStringLiteral(VANTOR_TEST_DATA "/spamassassin/check/") + QLatin1String(name));
    if (raw.isEmpty())
        qFatal("missing test message %s", name);
    return {QLatin1String(name), SpamCorpus::deliverable(raw), QLatin1String(sender), verdict};
}

} // namespace

QByteArray SpamCorpus::deliverable(const QByteArray& raw)
{
    QByteArray bytes = raw;
    bytes.replace("\r\n", "\n");
    if (bytes.startsWith("From "))
        bytes.remove(0, bytes.indexOf('\n') + 1);
    return bytes;
}

QByteArray SpamCorpus::message(const QByteArray& from, const QByteArray& subject, const QByteArray& date,
                               const QByteArray& to)
{
    return "From: " + from + "\nTo: " + to + "\nSubject: " + subject + "\nDate: " + date + "\nMessage-ID: <" +
           QByteArray::number(qHash(from + subject + date)) +
           "@example.org>\nMIME-Version: 1.0\nContent-Type: text/plain; charset=us-ascii\n\nHello.\n";
}

QList<SpamCorpus::Message> SpamCorpus::messages()
{
    return {
        fromFile("nice-001", "evolve@ximian.com", 6),
        fromFile("spam-002", "bigmoney@fasttrec.com", 3),
        fromFile("nice-002", "whitelist_test@whitelist.spamassassin.taint.org", 6),
        fromFile("spam-003", "renterr989@hotmail.com", 1),
        fromFile("nice-004", "crico@lowicz.opoka.org.pl", 6),
        fromFile("spam-005", "seemsg_8452970@gmx.net", 0),
        fromFile("nice-005", "poohba@blkpoohba.dyndns.org", 2),
        fromFile("spam-006", "itereocicvim@hotmail.com", 5),
        fromFile("nice-007", "duncf@debian.org", 6),
        fromFile("spam-014", "sender@example.net", 4),
        {QStringLiteral("lucky-draw"),
         message("\"Lucky Draw\" <prize@lucky-draw.ru>", "You have won", "Tue, 05 Feb 2002 10:20:30 +0100"),
         QStringLiteral("prize@lucky-draw.ru"), 5},
    };
}

filter::Profile SpamCorpus::profile()
{
    filter::Profile profile;
    // The ham that carries a spam mark in its subject is trusted by its sender.
    profile.exceptionRules = {rule("EMail", "Equals", "poohba@blkpoohba.dyndns.org")};
    profile.senderRules = {rule("Domain", "Equals", "FASTTREC.com")};
    profile.subjectRules = {rule("", "Contains", "*****spam*****")};
    profile.headerRules = {rule("", "Contains", "X-Mailer: Microsoft Outlook Express 6.00.2600.0000", "Yes")};
    // The subject-empty rule is on by default; the priority rule must leave X-Priority 3 alone.
    profile.general.pry = true;
    profile.general.pryValue = 2;
    profile.general.eblf = true;
    profile.general.bList = "Spammers";
    profile.general.mld = true;
    profile.general.mldNum = static_cast<int>(filter::MainLevelDomainCount);
    const auto ru = std::find(filter::MainLevelDomains.begin(), filter::MainLevelDomains.end(), ".ru");
    profile.domainTicks[static_cast<std::size_t>(ru - filter::MainLevelDomains.begin())] = true;
    return profile;
}

QByteArrayList SpamCorpus::blackList()
{
    return {"nobody@example.com", "itereocicvim@hotmail.com"};
}

} // namespace vantor::test
