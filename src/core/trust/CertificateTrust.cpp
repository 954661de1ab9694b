#include "core/trust/CertificateTrust.h"

#include "storage/IniError.h"
#include "storage/IniFile.h"

namespace vantor::core {

namespace {

constexpr std::string_view FingerprintKey = "SHA256";

// Host names are compared without regard to case; the port keeps POP3 and SMTP of one host apart.
std::string sectionName(const QString& host, int port)
{
    return host.toLower().toStdString() + ":" + std::to_string(port);
}

} // namespace

CertificateTrust::CertificateTrust(const HomeDirectory& home, CertificatePrompt* prompt)
    : m_filePath(home.nativeFilePath(FileName))
    , m_prompt(prompt)
{}

bool CertificateTrust::accepts(const mail::net::PeerCertificate& peer)
{
    if (peer.certificate.isNull())
        return false;
    const std::string fingerprint = mail::net::sha256Fingerprint(peer.certificate);
    const std::optional<std::string> known = pinned(peer.host, peer.port);
    if (known == fingerprint)
        return true;
    if (!m_prompt || !m_prompt->askTrust(peer, known.has_value()))
        return false;
    // Trusted for this connection even when the pin cannot be written; the next one asks again.
    pin(peer.host, peer.port, fingerprint);
    return true;
}

std::optional<std::string> CertificateTrust::pinned(const QString& host, int port) const
{
    try {
        const storage::IniFile ini(m_filePath);
        std::string value = ini.readString(sectionName(host, port), FingerprintKey, "");
        if (value.empty())
            return std::nullopt;
        return value;
    } catch (const storage::IniError&) {
        return std::nullopt;
    }
}

bool CertificateTrust::pin(const QString& host, int port, const std::string& fingerprint)
{
    try {
        storage::IniFile ini(m_filePath);
        ini.writeString(sectionName(host, port), FingerprintKey, fingerprint);
        ini.updateFile();
        return true;
    } catch (const storage::IniError&) {
        return false;
    }
}

} // namespace vantor::core
