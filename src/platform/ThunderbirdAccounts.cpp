#include "platform/ThunderbirdAccounts.h"

#include "platform/ThunderbirdPrefs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>
#include <utility>

namespace vantor::platform {

namespace {

// A prefs.js holds a few thousand lines; one far beyond this is not the client's own.
constexpr qint64 MaxPrefsSize = 32LL * 1024 * 1024;
// profiles.ini lists a handful of profiles.
constexpr qint64 MaxProfilesSize = 1024LL * 1024;

struct IniSection
{
    QString name;
    QList<std::pair<QString, QString>> entries;

    QString value(const QString& key) const
    {
        for (const auto& [entryKey, entryValue] : entries) {
            if (entryKey == key)
                return entryValue;
        }
        return {};
    }
};

// profiles.ini is read by hand: QSettings would take the backslashes of a Windows path for escapes.
QList<IniSection> parseIni(const QByteArray& bytes)
{
    QList<IniSection> sections;
    const QList<QByteArray> lines = bytes.split('\n');
    for (const QByteArray& rawLine : lines) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            sections.append({line.mid(1, line.size() - 2).trimmed(), {}});
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && !sections.isEmpty())
            sections.last().entries.append({line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
    }
    return sections;
}

struct Profile
{
    QString path;
    bool isRelative = false;
    bool isDefault = false;
};

// Every [ProfileN] in file order, the default one moved to the front: the one the installation names
// (the [Install...] sections of recent versions), else the one marked Default=1.
QList<Profile> profilesOf(const QList<IniSection>& sections)
{
    QString installDefault;
    for (const IniSection& section : sections) {
        if (installDefault.isEmpty() &&
            section.name.startsWith(QStringLiteral("Install"), Qt::CaseInsensitive))
            installDefault = section.value(QStringLiteral("Default"));
    }
    QList<Profile> profiles;
    for (const IniSection& section : sections) {
        if (!section.name.startsWith(QStringLiteral("Profile"), Qt::CaseInsensitive))
            continue;
        Profile profile;
        profile.path = section.value(QStringLiteral("Path"));
        const QString relative = section.value(QStringLiteral("IsRelative"));
        profile.isRelative =
            relative.isEmpty() ? QDir::isRelativePath(profile.path) : relative == QStringLiteral("1");
        profile.isDefault = section.value(QStringLiteral("Default")) == QStringLiteral("1");
        profiles.append(profile);
    }
    auto first = std::find_if(profiles.begin(), profiles.end(),
                              [&](const Profile& profile) { return profile.path == installDefault; });
    if (installDefault.isEmpty() || first == profiles.end())
        first = std::find_if(profiles.begin(), profiles.end(),
                             [](const Profile& profile) { return profile.isDefault; });
    if (first != profiles.end())
        std::rotate(profiles.begin(), first, std::next(first));
    return profiles;
}

std::vector<std::string> listItems(const std::string& list)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(',', start);
        if (end == std::string::npos)
            end = list.size();
        const std::size_t first = list.find_first_not_of(" \t", start);
        if (first < end) {
            const std::size_t last = list.find_last_not_of(" \t", end - 1);
            items.push_back(list.substr(first, last - first + 1));
        }
        start = end + 1;
    }
    return items;
}

// Thunderbird's socket types onto ours: 0 plain, 1 STARTTLS when offered, 2 STARTTLS always, 3 TLS from
// the start. Without one, the port decides as it does for the program's own accounts.
std::string security(const std::string& socketType, const std::string& port, std::string_view tlsPort)
{
    if (socketType == "0")
        return "None";
    if (socketType == "1" || socketType == "2")
        return "STARTTLS";
    if (socketType == "3")
        return "SSL";
    return port == tlsPort ? "SSL" : "None";
}

std::string firstOf(const ThunderbirdPrefs& prefs, const std::string& key, const std::string& fallbackKey)
{
    std::string value = prefs.value(key);
    return value.empty() ? prefs.value(fallbackKey) : value;
}

std::string nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

class ProfileReader
{
public:
    explicit ProfileReader(MailClientAccounts& result)
        : m_result(result)
    {}

    void markDamaged(const QString& path)
    {
        const std::string native = nativePath(path);
        if (std::find(m_result.damagedFiles.begin(), m_result.damagedFiles.end(), native) ==
            m_result.damagedFiles.end())
            m_result.damagedFiles.push_back(native);
    }

    // Contents of the file, or none (the file marked damaged) when it cannot be read whole.
    std::optional<QByteArray> readFile(const QString& path, qint64 maxSize)
    {
        // A pipe or device in the file's place would block the read or never end.
        QFile file(path);
        if (!QFileInfo(path).isFile() || file.size() > maxSize || !file.open(QIODevice::ReadOnly)) {
            markDamaged(path);
            return std::nullopt;
        }
        QByteArray bytes = file.read(maxSize + 1);
        if (bytes.size() > maxSize || file.error() != QFileDevice::NoError) {
            markDamaged(path);
            return std::nullopt;
        }
        return bytes;
    }

    void readProfile(const QString& directory)
    {
        if (!QFileInfo(directory).isDir()) {
            markDamaged(directory);
            return;
        }
        // Two entries for one folder would offer its accounts twice.
        const QString canonical = QFileInfo(directory).canonicalFilePath();
        if (m_seen.contains(canonical))
            return;
        m_seen.insert(canonical);
        const QString prefsPath = QDir(directory).filePath(QStringLiteral("prefs.js"));
        // A profile never started has no prefs.js yet, and no accounts.
        if (!QFileInfo::exists(prefsPath))
            return;
        const std::optional<QByteArray> bytes = readFile(prefsPath, MaxPrefsSize);
        if (!bytes)
            return;
        const ThunderbirdPrefs prefs(
            std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())));
        if (prefs.isDamaged())
            markDamaged(prefsPath);
        ThunderbirdAccounts::appendAccounts(prefs, m_result.accounts);
    }

private:
    MailClientAccounts& m_result;
    QSet<QString> m_seen;
};

} // namespace

ThunderbirdAccounts::ThunderbirdAccounts(QString directory)
    : m_directory(std::move(directory))
{}

MailClientAccounts ThunderbirdAccounts::read() const
{
    MailClientAccounts result;
    const QDir directory(m_directory);
    const QString iniPath = directory.filePath(QStringLiteral("profiles.ini"));
    if (!QFileInfo::exists(iniPath))
        return result;
    ProfileReader reader(result);
    const std::optional<QByteArray> ini = reader.readFile(iniPath, MaxProfilesSize);
    if (!ini)
        return result;
    const QList<Profile> profiles = profilesOf(parseIni(*ini));
    for (const Profile& profile : profiles) {
        if (profile.path.isEmpty()) {
            reader.markDamaged(iniPath);
            continue;
        }
        const QString path = QDir::fromNativeSeparators(profile.path);
        reader.readProfile(profile.isRelative ? directory.filePath(path) : path);
    }
    return result;
}

void ThunderbirdAccounts::appendAccounts(const ThunderbirdPrefs& prefs,
                                         std::vector<MailClientAccount>& accounts)
{
    for (const std::string& accountKey : listItems(prefs.value("mail.accountmanager.accounts"))) {
        const std::string account = "mail.account." + accountKey + ".";
        const std::string serverKey = prefs.value(account + "server");
        const std::string server = "mail.server." + serverKey + ".";
        if (serverKey.empty() || prefs.value(server + "type") != "pop3")
            continue;
        MailClientAccount imported;
        imported.name = prefs.value(server + "name");
        // The real* keys hold the host and user after the user changed them in the client's settings.
        imported.popServer = firstOf(prefs, server + "realhostname", server + "hostname");
        imported.userName = firstOf(prefs, server + "realuserName", server + "userName");
        imported.popPort = prefs.value(server + "port");
        imported.popSecurity = security(prefs.value(server + "socketType"), imported.popPort, "995");
        // An account never renamed has no name of its own; the client then shows it as user@host.
        if (imported.name.empty() && !imported.userName.empty() && !imported.popServer.empty())
            imported.name = imported.userName + "@" + imported.popServer;

        const std::vector<std::string> identities = listItems(prefs.value(account + "identities"));
        const std::string identity =
            identities.empty() ? std::string() : "mail.identity." + identities.front() + ".";
        std::string smtpKey = identity.empty() ? std::string() : prefs.value(identity + "smtpServer");
        // Profiles of the old suite name the identity's host directly.
        const std::string legacyHost =
            identity.empty() ? std::string() : prefs.value(identity + "smtp_server");
        if (smtpKey.empty() && !legacyHost.empty()) {
            imported.smtpServer = legacyHost;
            imported.smtpSecurity = "None";
        } else {
            if (smtpKey.empty())
                smtpKey = prefs.value("mail.smtp.defaultserver");
            if (!smtpKey.empty()) {
                const std::string smtp = "mail.smtpserver." + smtpKey + ".";
                imported.smtpServer = prefs.value(smtp + "hostname");
                imported.smtpPort = prefs.value(smtp + "port");
                imported.smtpSecurity = security(prefs.value(smtp + "try_ssl"), imported.smtpPort, "465");
            }
        }
        accounts.push_back(std::move(imported));
    }
}

} // namespace vantor::platform
