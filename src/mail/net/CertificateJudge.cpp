#include "mail/net/CertificateJudge.h"

#include <QCryptographicHash>
#include <QSslConfiguration>

#include <algorithm>
#include <vector>

namespace vantor::mail::net {

namespace {

// A socket that carries the judge of its certificate problems, so that every client built on a socket
// factory gets the same trust without knowing of it.
class JudgedSocket : public QSslSocket
{
public:
    explicit JudgedSocket(CertificateJudge& judge)
        : m_judge(judge)
    {}
    CertificateJudge& judge() const { return m_judge; }

private:
    CertificateJudge& m_judge;
};

std::string reasonOf(const QSslError& error)
{
    switch (error.error()) {
    case QSslError::CertificateExpired:
        return "expired";
    case QSslError::CertificateNotYetValid:
        return "not yet valid";
    case QSslError::HostNameMismatch:
        return "other host name";
    case QSslError::SelfSignedCertificate:
    case QSslError::SelfSignedCertificateInChain:
        return "self-signed";
    case QSslError::UnableToGetIssuerCertificate:
    case QSslError::UnableToGetLocalIssuerCertificate:
    case QSslError::UnableToVerifyFirstCertificate:
        return "unknown issuer";
    case QSslError::CertificateRevoked:
        return "revoked";
    default:
        break;
    }
    return error.errorString().toStdString();
}

} // namespace

std::string certificateReasons(const QList<QSslError>& errors)
{
    std::vector<std::string> reasons;
    for (const QSslError& error : errors) {
        std::string reason = reasonOf(error);
        if (std::find(reasons.begin(), reasons.end(), reason) == reasons.end())
            reasons.push_back(std::move(reason));
    }
    std::string joined;
    for (const std::string& reason : reasons)
        joined += (joined.empty() ? "" : ", ") + reason;
    return joined;
}

std::string sha256Fingerprint(const QSslCertificate& certificate)
{
    return certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper().toStdString();
}

SocketFactory judgedSocketFactory(CertificateJudge& judge, SocketFactory base)
{
    if (!base)
        base = defaultSocketFactory();
    return [&judge, base = std::move(base)]() -> std::unique_ptr<QSslSocket> {
        // The base decides the TLS configuration (the CAs trusted); the judged socket takes it over.
        const std::unique_ptr<QSslSocket> model = base();
        auto socket = std::make_unique<JudgedSocket>(judge);
        socket->setSslConfiguration(model->sslConfiguration());
        return socket;
    };
}

CertificateJudge* judgeOf(const QSslSocket& socket)
{
    const auto* judged = dynamic_cast<const JudgedSocket*>(&socket);
    return judged ? &judged->judge() : nullptr;
}

} // namespace vantor::mail::net
