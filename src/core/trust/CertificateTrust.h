#pragma once

#include "core/program/HomeDirectory.h"
#include "core/trust/CertificatePrompt.h"
#include "mail/net/CertificateJudge.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantor::core {

// The certificates the user trusted although they failed verification, one per server (host and port),
// pinned by their SHA-256 fingerprint in certificates.ini of the home directory. A pinned certificate
// passes without a question; any other one is put to the prompt, when there is one (the window), and
// refused without one (the command-line check). A server whose certificate changed is asked about again.
class CertificateTrust : public mail::net::CertificateJudge
{
public:
    inline static constexpr std::string_view FileName = "certificates.ini";

    // prompt may be null: nothing is asked, only pinned certificates pass.
    CertificateTrust(const HomeDirectory& home, CertificatePrompt* prompt);

    bool accepts(const mail::net::PeerCertificate& peer) override;

    // The fingerprint pinned for host and port; nothing when none is.
    std::optional<std::string> pinned(const QString& host, int port) const;
    // Pins the fingerprint for host and port, replacing an earlier one; false when the file cannot be
    // written.
    bool pin(const QString& host, int port, const std::string& fingerprint);

private:
    std::string m_filePath;
    CertificatePrompt* m_prompt;
};

} // namespace vantor::core
