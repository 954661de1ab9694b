#include "mail/codec/MailDate.h"

#include "base/AsciiCase.h"
#include "mail/codec/TextHelpers.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <ctime>

namespace vantor::mail::codec {

namespace {

using namespace std::chrono;

constexpr std::string_view kMonthNames = "Jan,Feb,Mar,Apr,May,Jun,Jul,Aug,Sep,Oct,Nov,Dec,";
constexpr std::string_view kDayNames = "Sun,Mon,Tue,Wed,Thu,Fri,Sat,";

enum Field
{
    DayName,
    Day,
    Month,
    Year,
    Hour,
    Minute,
    Second,
    Zone,
    FieldCount
};

// Broken-down parts of a local time, for formatting.
struct CivilTime
{
    int year;
    unsigned month;
    unsigned day;
    long long hour;
    long long minute;
    long long second;
    unsigned weekday; // 0 = Sunday
};

CivilTime civilOf(LocalTime d)
{
    const local_days date = floor<days>(d);
    const year_month_day ymd{date};
    const long long secondsOfDay = (d - date).count();
    return {static_cast<int>(ymd.year()),     static_cast<unsigned>(ymd.month()),
            static_cast<unsigned>(ymd.day()), secondsOfDay / 3600,
            secondsOfDay / 60 % 60,           secondsOfDay % 60,
            weekday{date}.c_encoding()};
}

// The whole text as a 32-bit decimal number with optional sign; 0 when it is not one.
int readNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return (error == std::errc() && end == text.data() + text.size()) ? value : 0;
}

bool startsWithDigit(std::string_view text)
{
    return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

// Splits at every space, "/" and ":"; a space after the minutes goes straight to the zone, so a time
// without seconds still finds its zone. A run of spaces is one separator: mailers pad a one-digit day
// ("Wed,  4 Sep 2002"), and a header fetched raw keeps the padding.
std::array<std::string_view, FieldCount> splitFields(std::string_view text)
{
    std::array<std::string_view, FieldCount> fields{};
    int field = startsWithDigit(text) ? Day : DayName;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool atEnd = i == text.size();
        if (!atEnd && text[i] != ' ' && text[i] != '/' && text[i] != ':') {
            continue;
        }
        if (!atEnd && text[i] == ' ' && i > 0 && text[i - 1] == ' ') {
            runStart = i + 1;
            continue;
        }
        if (field < FieldCount) {
            fields[field] = text.substr(runStart, i - runStart);
        }
        if (atEnd) {
            break;
        }
        field = (field == Minute && text[i] == ' ') ? Zone : field + 1;
        runStart = i + 1;
    }
    return fields;
}

int monthOf(std::string_view text)
{
    if (startsWithDigit(text)) {
        return readNumber(text);
    }
    // Position in the table, so a name not found (and a lower-case one) gives January.
    const std::size_t found = text.empty() ? std::string_view::npos : kMonthNames.find(text);
    return found == std::string_view::npos ? 1 : static_cast<int>(found / 4) + 1;
}

// Offset of an obsolete zone name east of UTC in hours (RFC 5322 4.3); military letters mean -0000.
std::optional<int> namedZoneHours(std::string_view zone)
{
    struct NamedZone
    {
        std::string_view name;
        int hours;
    };
    static constexpr NamedZone kNamedZones[] = {{"UT", 0},   {"GMT", 0},  {"EST", -5}, {"EDT", -4},
                                                {"CST", -6}, {"CDT", -5}, {"MST", -7}, {"MDT", -6},
                                                {"PST", -8}, {"PDT", -7}};
    for (const NamedZone& named : kNamedZones) {
        if (base::equalsIgnoreCase(zone, named.name))
            return named.hours;
    }
    if (zone.size() == 1 && base::lowerAscii(zone.front()) >= 'a' && base::lowerAscii(zone.front()) <= 'z')
        return 0;
    return std::nullopt;
}

// Offset of the zone text east of UTC in seconds; nullopt for an impossible one. Texts that are
// neither "+hhmm"/"-hhmm" nor a known name read as UTC.
std::optional<long long> zoneSeconds(std::string_view zone)
{
    zone = trimBlanks(zone);
    if (const auto hours = namedZoneHours(zone))
        return *hours * 3600LL;
    if (zone.size() != 5) {
        return 0;
    }
    const int sign = zone.front() == '-' ? -1 : 1;
    const int hours = readNumber(zone.substr(1, 2));
    const int minutes = readNumber(zone.substr(3, 2));
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59) {
        return std::nullopt;
    }
    return sign * (hours * 3600LL + minutes * 60LL);
}

std::optional<local_days> calendarDate(int yearNumber, int monthNumber, int dayNumber)
{
    if (yearNumber < 1 || yearNumber > 9999 || monthNumber < 1 || monthNumber > 12 || dayNumber < 1) {
        return std::nullopt;
    }
    const year_month_day date{year{yearNumber}, month{static_cast<unsigned>(monthNumber)},
                              day{static_cast<unsigned>(dayNumber)}};
    if (dayNumber > 31 || !date.ok()) {
        return std::nullopt;
    }
    return local_days{date};
}

std::string twoDigits(long long value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%02lld", value);
    return text;
}

std::string fourDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d", value);
    return text;
}

} // namespace

minutes localZoneOffset()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    const sys_days date{year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday};
    const sys_seconds wallClock = date + hours{local.tm_hour} + minutes{local.tm_min} + seconds{local.tm_sec};
    return round<minutes>(wallClock - sys_seconds{seconds{now}});
}

std::optional<LocalTime> parseMailDate(std::string_view text, minutes localOffset)
{
    text = trimBlanks(text);
    if (text.empty()) {
        return std::nullopt;
    }
    const auto fields = splitFields(text);
    int yearNumber = readNumber(fields[Year]);
    if (yearNumber < 100) {
        yearNumber += yearNumber >= 50 ? 1900 : 2000;
    }
    const std::optional<local_days> date =
        calendarDate(yearNumber, monthOf(fields[Month]), readNumber(fields[Day]));
    const std::optional<long long> zone = zoneSeconds(fields[Zone]);
    if (!date || !zone) {
        return std::nullopt;
    }
    const long long timeOfDay =
        readNumber(fields[Hour]) * 3600LL + readNumber(fields[Minute]) * 60LL + readNumber(fields[Second]);
    return LocalTime{*date} + seconds{timeOfDay - *zone} + localOffset;
}

std::optional<LocalTime> parseMailDate(std::string_view text)
{
    return parseMailDate(text, localZoneOffset());
}

std::string formatMailDate(LocalTime d, minutes zone)
{
    const CivilTime t = civilOf(d);
    std::string out;
    out.reserve(32);
    out.append(kDayNames.substr(t.weekday * 4, 3)).append(", ").append(twoDigits(t.day)).append(" ");
    out.append(kMonthNames.substr((t.month - 1) * 4, 3)).append(" ").append(fourDigits(t.year)).append(" ");
    out.append(twoDigits(t.hour))
        .append(":")
        .append(twoDigits(t.minute))
        .append(":")
        .append(twoDigits(t.second));
    out.append(" ");
    if (zone.count() == 0) {
        return out.append("GMT");
    }
    const long long offset = zone.count() < 0 ? -zone.count() : zone.count();
    return out.append(zone.count() < 0 ? "-" : "+")
        .append(twoDigits(offset / 60))
        .append(twoDigits(offset % 60));
}

std::string formatMailDate(LocalTime d)
{
    return formatMailDate(d, localZoneOffset());
}

std::string formatListDateTime(std::optional<LocalTime> d)
{
    const CivilTime t = civilOf(d.value_or(kZeroDate));
    return twoDigits(t.day) + "/" + twoDigits(t.month) + "/" + fourDigits(t.year) + " " + twoDigits(t.hour) +
           ":" + twoDigits(t.minute) + ":" + twoDigits(t.second);
}

std::string formatCompactDateTime(LocalTime d)
{
    const CivilTime t = civilOf(d);
    return fourDigits(t.year) + twoDigits(t.month) + twoDigits(t.day) + twoDigits(t.hour) +
           twoDigits(t.minute) + twoDigits(t.second);
}

} // namespace vantor::mail::codec
