#include "mail/net/SocketFactory.h"

namespace vantor::mail::net {

SocketFactory defaultSocketFactory()
{
    return [] { return std::make_unique<QSslSocket>(); };
}

} // namespace vantor::mail::net
