#pragma once

#include <QSslSocket>

#include <functional>
#include <memory>

namespace vantor::mail::net {

// Makes the socket for one connection. The default trusts the system's CA store; tests and benchmarks
// pass their own (another CA list, a socket that counts bytes).
using SocketFactory = std::function<std::unique_ptr<QSslSocket>()>;

// A plain QSslSocket with the system's default TLS configuration.
SocketFactory defaultSocketFactory();

} // namespace vantor::mail::net
