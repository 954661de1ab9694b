#pragma once

#include <QString>
#include <QUrl>

namespace vantor::core {

// Who makes the program and where to reach them: the caption, the home page and the support mails.
class ProductInfo
{
public:
    // "EMail Vantor " + version + " xp" + the maker's mark.
    static QString caption(const QString& versionText);
    // The version the about box shows: version + ".0.1 xp".
    static QString aboutVersion(const QString& versionText);
    static QUrl homepage();
    static QString supportAddress();

    enum class Mail
    {
        Recommend,
        BugReport,
        TranslateRequest,
        SpammersList
    };

    // The "mailto:" link of each fixed mail: the recommendation has no recipient, the others go to support.
    static QUrl mailLink(Mail mail, const QString& versionText);
};

} // namespace vantor::core
