#include "support/TrustingSocket.h"

#include <QSslCertificate>
#include <QSslConfiguration>

namespace vantor::support {

std::unique_ptr<QSslSocket> trustingSocket(const QString& caCertificatePath)
{
    auto socket = std::make_unique<QSslSocket>();
    QSslConfiguration configuration = socket->sslConfiguration();
    configuration.setCaCertificates(QSslCertificate::fromPath(caCertificatePath));
    socket->setSslConfiguration(configuration);
    return socket;
}

} // namespace vantor::support
