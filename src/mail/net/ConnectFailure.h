#pragma once

namespace vantor::mail::net {

// Why a connect ended without a usable session, as far as the user can act on it.
enum class ConnectFailure
{
    None,
    // No connection, no greeting, a refused greeting or a broken handshake.
    Connection,
    // Protection was asked for and the server refused STLS or STARTTLS: nothing was sent in clear.
    NoTls,
    // The server's certificate failed its verification and nobody trusted it.
    Certificate
};

} // namespace vantor::mail::net
