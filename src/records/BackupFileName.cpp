#include "records/BackupFileName.h"

#include "mail/codec/TextHelpers.h"

#include <cstdio>

namespace vantor::records {

namespace {

constexpr std::string_view Extension = ".vtb";
// The longest name most file systems take, in bytes.
constexpr std::size_t MaxNameBytes = 255;

bool isUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Cuts text to at most size bytes, stepping back to the start of a UTF-8 sequence cut in two.
void cutToBytes(std::string& text, std::size_t size)
{
    if (text.size() <= size)
        return;
    std::size_t cut = size;
    while (cut > 0 && isUtf8Continuation(text[cut]))
        --cut;
    text.resize(cut);
}

} // namespace

std::string backupDateText(mail::codec::LocalTime date)
{
    using namespace std::chrono;
    const local_days day = floor<days>(date);
    const year_month_day ymd{day};
    const hh_mm_ss<seconds> time{date - day};
    char text[64];
    std::snprintf(text, sizeof text, "%02u%02u%04d %02ld:%02ld:%02ld", static_cast<unsigned>(ymd.day()),
                  static_cast<unsigned>(ymd.month()), static_cast<int>(ymd.year()),
                  static_cast<long>(time.hours().count()), static_cast<long>(time.minutes().count()),
                  static_cast<long>(time.seconds().count()));
    return text;
}

std::string backupFileName(std::optional<mail::codec::LocalTime> date, std::string_view senderAddress)
{
    std::string stem = backupDateText(date.value_or(mail::codec::kZeroDate));
    stem += " - ";
    stem += senderAddress;
    stem = mail::codec::safeFileName(stem);
    cutToBytes(stem, MaxNameBytes - Extension.size());
    return stem + std::string(Extension);
}

} // namespace vantor::records
