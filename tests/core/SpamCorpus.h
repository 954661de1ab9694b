#pragma once

#include "filter/Profile.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>

namespace vantor::test {

// A mailbox of real ham and spam (from a spam filter's test suite) and a profile that uses every family of
// rules on it: an exception, a sender, a subject and a header rule, a general rule, the black list and the
// main-level-domain rule. Each message knows the verdict code the profile gives it.
class SpamCorpus
{
public:
    struct Message
    {
        QString name;
        QByteArray bytes;
        QString sender;
        int verdict = 6;

        bool isSpam() const { return verdict != 2 && verdict != 6; }
    };

    // In delivery order, ham and spam mixed.
    static QList<Message> messages();
    static filter::Profile profile();
    // The black list the profile names ("Spammers").
    static QByteArrayList blackList();
    // A message as a mailer writes it, with the given date text.
    static QByteArray message(const QByteArray& from, const QByteArray& subject, const QByteArray& date,
                              const QByteArray& to = "Recipient <recipient@example.org>");
    // The file's bytes ready for a maildir: without a mailbox "From " line, with LF line ends.
    static QByteArray deliverable(const QByteArray& raw);
};

} // namespace vantor::test
