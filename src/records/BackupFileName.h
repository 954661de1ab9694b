#pragma once

#include "mail/codec/MailDate.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantor::records {

// File name of the backup of a message: its date as "ddmmyyyy hh:mm:ss" (no date: 30/12/1899), " - ",
// the sender address, ".vtb"; made safe with safeFileName, so the time separator and any "/", "\", ":" or
// control byte become "_", and cut to fit 255 bytes without splitting a UTF-8 sequence.
// The name never leaves the backup folder and never begins with ".".
std::string backupFileName(std::optional<mail::codec::LocalTime> date, std::string_view senderAddress);

// The date part of the name: "ddmmyyyy hh:mm:ss".
std::string backupDateText(mail::codec::LocalTime date);

} // namespace vantor::records
