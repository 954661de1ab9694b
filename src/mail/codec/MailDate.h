#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace vantor::mail::codec {

// A wall-clock date-time in the local zone, to the second. A message date is
// std::optional<LocalTime>: nullopt when a Date field is missing or unreadable.
using LocalTime = std::chrono::local_seconds;

// The zero date, 30/12/1899 00:00:00, which places that need some date show for an unreadable one.
inline constexpr LocalTime kZeroDate{std::chrono::local_days{std::chrono::year{1899} / 12 / 30}};

// Current offset of local time from UTC (east positive, daylight saving time as now in force).
[[nodiscard]] std::chrono::minutes localZoneOffset();

// RFC 822 date text (day name optional, two-digit years, zone "+hhmm"/"-hhmm", an obsolete name such as
// "EDT" or a military letter; any other zone text reads as UTC; a run of spaces separates as one space)
// as local time at offset localOffset. nullopt for empty text, an impossible calendar date (day 0, day
// 32, month 13, year above 9999) or zone (hours above 23, minutes above 59). Time fields are added
// without range check ("25:61:00" runs over); unreadable numbers read as 0, unknown month names as
// January.
[[nodiscard]] std::optional<LocalTime> parseMailDate(std::string_view text, std::chrono::minutes localOffset);
[[nodiscard]] std::optional<LocalTime> parseMailDate(std::string_view text); // at localZoneOffset()

// "Tue, 05 Feb 2002 10:20:30 +0100" for local time d at offset zone ("GMT" when zone is 0).
[[nodiscard]] std::string formatMailDate(LocalTime d, std::chrono::minutes zone);
[[nodiscard]] std::string formatMailDate(LocalTime d); // with the current localZoneOffset()

// "dd/mm/yyyy hh:mm:ss", the date text of the result lists; nullopt shows as the zero date.
[[nodiscard]] std::string formatListDateTime(std::optional<LocalTime> d);

// "yyyymmddhhnnss" (used in message identifiers).
[[nodiscard]] std::string formatCompactDateTime(LocalTime d);

} // namespace vantor::mail::codec
