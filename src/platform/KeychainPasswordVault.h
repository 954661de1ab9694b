#pragma once

#include "platform/PasswordVault.h"

#include <QString>

namespace vantor::platform {

// The system's keyring through QtKeychain, every entry under one service name.
class KeychainPasswordVault : public PasswordVault
{
public:
    explicit KeychainPasswordVault(QString service = QStringLiteral("EMail Vantor"));

    Result read(const std::string& key, std::string& password) override;
    Result write(const std::string& key, const std::string& password) override;
    Result remove(const std::string& key) override;
    bool isAvailable() override;

private:
    QString m_service;
};

} // namespace vantor::platform
