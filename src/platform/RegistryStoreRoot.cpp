#include "platform/RegistryStoreRoot.h"

#ifdef Q_OS_WIN
#include <QRegularExpression>
#include <QSettings>
#endif

namespace vantor::platform {

#ifdef Q_OS_WIN
namespace {

QString registryValue(const QString& key, const QString& name)
{
    return QSettings(QStringLiteral("HKEY_CURRENT_USER\\") + key, QSettings::NativeFormat).value(name).toString();
}

// %UserProfile% and its kind; a variable that is not set stays as written.
QString expandEnvironment(QString value)
{
    static const QRegularExpression variable(QStringLiteral("%([^%]+)%"));
    QString expanded;
    qsizetype copied = 0;
    for (auto it = variable.globalMatch(value); it.hasNext();) {
        const auto match = it.next();
        expanded += value.mid(copied, match.capturedStart() - copied);
        const QString content = qEnvironmentVariable(match.captured(1).toLocal8Bit().constData());
        expanded += content.isEmpty() ? match.captured(0) : content;
        copied = match.capturedEnd();
    }
    return expanded + value.mid(copied);
}

} // namespace

QString registryStoreRoot()
{
    const QString storeRoot = QStringLiteral("Store Root");
    QString root = registryValue(QStringLiteral("Software\\Microsoft\\Outlook Express"), storeRoot);
    if (root.isEmpty()) {
        const QString id = registryValue(QStringLiteral("Identities"), QStringLiteral("Default User ID"));
        if (!id.isEmpty())
            root = registryValue(QStringLiteral("Identities\\") + id +
                                     QStringLiteral("\\Software\\Microsoft\\Outlook Express\\5.0"),
                                 storeRoot);
    }
    return expandEnvironment(root);
}
#else
QString registryStoreRoot()
{
    return {};
}
#endif

} // namespace vantor::platform
