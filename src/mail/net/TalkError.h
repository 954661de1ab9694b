#pragma once

namespace vantor::mail::net {

// Why a wait ended without a reply: nothing went wrong, no data for the time-out or no whole reply
// within the wait's deadline, a socket error (refused or failed connection, failed name lookup, failed
// TLS handshake or certificate check), a reply larger than the wait allows, or a wait broken off from
// outside (the program is ending).
enum class TalkError
{
    None,
    TimeOut,
    Socket,
    Oversized,
    Interrupted
};

} // namespace vantor::mail::net
