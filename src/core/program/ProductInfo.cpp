#include "core/program/ProductInfo.h"

#include <QUrlQuery>

namespace vantor::core {

QString ProductInfo::caption(const QString& versionText)
{
    return QStringLiteral("EMail Vantor %1 xp - Vantor Labs").arg(versionText);
}

QString ProductInfo::aboutVersion(const QString& versionText)
{
    return versionText + QStringLiteral(".0.1 xp");
}

QUrl ProductInfo::homepage()
{
    return QUrl(QStringLiteral("https://emailvantor.example.org/"));
}

QString ProductInfo::supportAddress()
{
    return QStringLiteral("support@emailvantor.example.org");
}

QUrl ProductInfo::mailLink(Mail mail, const QString& versionText)
{
    QString recipient = supportAddress();
    QString subject;
    switch (mail) {
    case Mail::Recommend:
        recipient.clear();
        subject = QStringLiteral("Try EMail Vantor: it deletes spam before it reaches your mail client");
        break;
    case Mail::BugReport:
        subject = QStringLiteral("EMail Vantor %1 bug report").arg(versionText);
        break;
    case Mail::TranslateRequest:
        subject = QStringLiteral("EMail Vantor %1 translation").arg(versionText);
        break;
    case Mail::SpammersList:
        subject = QStringLiteral("EMail Vantor %1: Black List of Spammers").arg(versionText);
        break;
    }
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(recipient);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), subject);
    url.setQuery(query);
    return url;
}

} // namespace vantor::core
