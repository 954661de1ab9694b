#include "platform/RegistryMailClientAccounts.h"

#include <QSettings>

namespace vantor::platform {

namespace {

const QString AccountsKey =
    QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Account Manager\\Accounts");

std::string text(const QSettings& key, const QString& name)
{
    return key.value(name).toString().toStdString();
}

} // namespace

MailClientAccounts RegistryMailClientAccounts::read() const
{
    MailClientAccounts result;
    QSettings accounts(AccountsKey, QSettings::NativeFormat);
    const QStringList subKeys = accounts.childGroups();
    for (const QString& subKey : subKeys) {
        accounts.beginGroup(subKey);
        if (accounts.contains(QStringLiteral("Connection Type"))) {
            MailClientAccount account;
            account.name = text(accounts, QStringLiteral("Account Name"));
            account.popServer = text(accounts, QStringLiteral("POP3 Server"));
            account.smtpServer = text(accounts, QStringLiteral("SMTP Server"));
            account.userName = text(accounts, QStringLiteral("POP3 User Name"));
            result.accounts.push_back(std::move(account));
        }
        accounts.endGroup();
    }
    return result;
}

} // namespace vantor::platform
