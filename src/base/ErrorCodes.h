#pragma once

#include <string>
#include <string_view>

// The five-digit codes of Error.log, one for each part of the program that writes entries, and the form
// of an entry's text: a blank, the code, " - ", what happened.
namespace vantor::base {

namespace errorcode {

inline constexpr std::string_view Backup = "00001";
inline constexpr std::string_view SecondListing = "00002";
inline constexpr std::string_view ExceptionsTest = "00003";
inline constexpr std::string_view AutomaticFilter = "00004";
inline constexpr std::string_view NewMailWatch = "00005";
inline constexpr std::string_view AutomaticCheck = "00006";
inline constexpr std::string_view EMailManagerListing = "00007";
inline constexpr std::string_view EMailManagerMessage = "00008";
inline constexpr std::string_view PreviewBuild = "00009";
inline constexpr std::string_view PreviewFilter = "00010";
inline constexpr std::string_view PreviewFinish = "00011";
inline constexpr std::string_view DeletedDatabase = "00012";
inline constexpr std::string_view AccountFile = "00013";
inline constexpr std::string_view StatisticsLog = "00014";
// A preview row that could not be added; its text says no more than this.
inline constexpr std::string_view PreviewRow = "0000x";

} // namespace errorcode

// " <code> - <text>"
[[nodiscard]] std::string errorEntry(std::string_view code, std::string_view text);

} // namespace vantor::base
