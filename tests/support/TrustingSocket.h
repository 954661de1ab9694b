#pragma once

#include <QSslSocket>
#include <QString>

#include <memory>

namespace vantor::support {

// A TLS-capable socket that trusts only the CA certificate in the given PEM file, for clients that talk
// to a test server whose certificate was made at test time.
std::unique_ptr<QSslSocket> trustingSocket(const QString& caCertificatePath);

} // namespace vantor::support
