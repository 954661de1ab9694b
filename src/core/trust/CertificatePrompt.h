#pragma once

#include "mail/net/CertificateJudge.h"

namespace vantor::core {

// Asks the user whether a certificate that failed verification is trusted; the window shows the dialog,
// tests answer from a script.
class CertificatePrompt
{
public:
    virtual ~CertificatePrompt() = default;
    // isChanged: another certificate of this server was trusted before. True: trust this one.
    virtual bool askTrust(const mail::net::PeerCertificate& peer, bool isChanged) = 0;
};

} // namespace vantor::core
