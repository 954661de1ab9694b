#pragma once

#include "mail/codec/MailDate.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vantor::mail::codec {

// A pseudo-random 32-bit number from a generator seeded once per thread from the system entropy source.
[[nodiscard]] std::uint32_t randomWord();

// "boundary" + 8 upper-case hex digits of a random number, e.g. "boundary0A1B2C3D".
[[nodiscard]] std::string newBoundary();

// "<yyyymmddhhnnss.HEX.HEX@host>": now as compact date-time, two random numbers in upper-case hex
// without leading zeros, and host (normally the local IP address of the connection).
[[nodiscard]] std::string newMessageId(LocalTime now, std::string_view host);

} // namespace vantor::mail::codec
