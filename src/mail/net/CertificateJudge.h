#pragma once

#include "mail/net/SocketFactory.h"

#include <QList>
#include <QSslCertificate>
#include <QSslError>
#include <QString>

#include <string>

namespace vantor::mail::net {

// A server certificate that failed verification against the system's CA store, as a handshake meets it.
struct PeerCertificate
{
    // The host name or address the connection was opened to, and its port.
    QString host;
    int port = 0;
    // The server's own certificate (the first of its chain).
    QSslCertificate certificate;
    QList<QSslError> errors;
};

// Decides whether a connection goes on with a certificate that failed verification: a pinned certificate,
// or one the user trusts when asked. Runs inside the handshake; it may show a dialog.
class CertificateJudge
{
public:
    virtual ~CertificateJudge() = default;
    // True: the handshake goes on despite the errors.
    virtual bool accepts(const PeerCertificate& peer) = 0;
};

// The failures of a certificate in words a person can act on ("expired", "unknown issuer", "other host
// name", "self-signed", ...), each once, joined with ", ".
std::string certificateReasons(const QList<QSslError>& errors);

// The certificate's SHA-256 fingerprint as upper-case hexadecimal pairs joined with ":".
std::string sha256Fingerprint(const QSslCertificate& certificate);

// Sockets of base (their TLS configuration) whose failed certificate checks are put to judge, which must
// outlive every socket made.
SocketFactory judgedSocketFactory(CertificateJudge& judge, SocketFactory base = defaultSocketFactory());

// The judge of a socket made by judgedSocketFactory; null for any other socket.
CertificateJudge* judgeOf(const QSslSocket& socket);

} // namespace vantor::mail::net
