#include "platform/KeychainPasswordVault.h"

#include <QEventLoop>
#include <qt6keychain/keychain.h>

namespace vantor::platform {

namespace {

// Runs the job to its end in a nested loop: the callers (a check, the account manager) need the answer
// before they go on, and the window stays live meanwhile (the keyring may ask to be unlocked).
PasswordVault::Result run(QKeychain::Job& job)
{
    job.setAutoDelete(false);
    // Never the plain-text QSettings fallback: the scrambled field in account.vta is that fallback.
    job.setInsecureFallback(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    switch (job.error()) {
    case QKeychain::NoError:
        return PasswordVault::Result::Done;
    case QKeychain::EntryNotFound:
        return PasswordVault::Result::NotFound;
    default:
        return PasswordVault::Result::Unavailable;
    }
}

// Bytes of the program's text encoding, carried through the keyring unchanged.
QByteArray bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

KeychainPasswordVault::KeychainPasswordVault(QString service)
    : m_service(std::move(service))
{}

PasswordVault::Result KeychainPasswordVault::read(const std::string& key, std::string& password)
{
    QKeychain::ReadPasswordJob job(m_service);
    job.setKey(QString::fromUtf8(bytes(key)));
    const Result result = run(job);
    if (result == Result::Done)
        password = job.binaryData().toStdString();
    return result;
}

PasswordVault::Result KeychainPasswordVault::write(const std::string& key, const std::string& password)
{
    QKeychain::WritePasswordJob job(m_service);
    job.setKey(QString::fromUtf8(bytes(key)));
    job.setBinaryData(bytes(password));
    return run(job);
}

PasswordVault::Result KeychainPasswordVault::remove(const std::string& key)
{
    QKeychain::DeletePasswordJob job(m_service);
    job.setKey(QString::fromUtf8(bytes(key)));
    return run(job);
}

bool KeychainPasswordVault::isAvailable()
{
    // A key nobody writes: a keyring that answers says it is not there.
    std::string unused;
    return read("availability probe", unused) != Result::Unavailable;
}

} // namespace vantor::platform
