#pragma once

namespace vantor::mail::net {

// Why a wait ended without a reply: nothing went wrong, no data for the time-out, or a socket error
// (refused or failed connection, failed name lookup, failed TLS handshake or certificate check).
enum class TalkError
{
    None,
    TimeOut,
    Socket
};

} // namespace vantor::mail::net
