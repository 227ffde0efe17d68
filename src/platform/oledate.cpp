#include "platform/oledate.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>

#include "platform/text.h"

namespace {

using namespace std::chrono;

constexpr sys_days kEpoch = sys_days{1899y / December / 30};
constexpr int kSecondsPerDay = 86400;

struct Parts {
    year_month_day date;
    int hour, minute, second;
};

// The values of years 100 to 9999, the range the value is defined for.
constexpr double kFirstValue = -657434.0;
constexpr double kPastLastValue = 2958466.0;

// Before the epoch the whole part counts days backwards while the fraction still counts the time
// of day forwards: -1.25 is 29 December 1899 at 6 o'clock.
double ToValue(const year_month_day& date, int hour, int minute, int second) {
    const double days = (sys_days{date} - kEpoch).count();
    const double time = (hour * 3600 + minute * 60 + second) / double{kSecondsPerDay};
    return days >= 0 ? days + time : days - time;
}

// Rounded to the nearest second, as the value carries no finer time. A value out of range reads
// as the zero date.
Parts ToParts(double value) {
    if (!(value > kFirstValue && value < kPastLastValue)) value = 0.0;
    const double halfSecond = 0.5 / kSecondsPerDay;
    const double rounded = value + (value > 0 ? halfSecond : -halfSecond);
    const double wholeDays = std::trunc(rounded);
    const int seconds = static_cast<int>(std::fabs(rounded - wholeDays) * kSecondsPerDay);
    return {year_month_day{kEpoch + days{static_cast<long>(wholeDays)}}, seconds / 3600,
            seconds / 60 % 60, seconds % 60};
}

bool InRange(int value, int first, int last) {
    return value >= first && value <= last;
}

std::optional<COleDateTime> Make(int y, int m, int d, int hour, int minute, int second) {
    if (!InRange(y, 100, 9999) || !InRange(m, 1, 12) || !InRange(d, 1, 31) ||
        !InRange(hour, 0, 23) || !InRange(minute, 0, 59) || !InRange(second, 0, 59)) {
        return std::nullopt;
    }
    const year_month_day date{year{y}, month{static_cast<unsigned>(m)},
                              day{static_cast<unsigned>(d)}};
    if (!date.ok()) return std::nullopt;
    return COleDateTime(ToValue(date, hour, minute, second));
}

COleDateTime FromTimeT(std::time_t t, bool keepTime) {
    std::tm local{};
    localtime_r(&t, &local);
    return COleDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                        keepTime ? local.tm_hour : 0, keepTime ? local.tm_min : 0,
                        keepTime ? local.tm_sec : 0);
}

// Reads a number of minDigits to maxDigits digits at the start of text and moves past it.
std::optional<int> ReadNumber(std::string_view& text, size_t minDigits, size_t maxDigits) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const auto digits = static_cast<size_t>(end - text.data());
    if (error != std::errc{} || digits < minDigits || digits > maxDigits || text[0] == '-') {
        return std::nullopt;
    }
    text.remove_prefix(digits);
    return value;
}

bool ReadSeparator(std::string_view& text, std::string_view allowed) {
    if (text.empty() || allowed.find(text[0]) == std::string_view::npos) return false;
    text.remove_prefix(1);
    return true;
}

struct Time {
    int hour = 0, minute = 0, second = 0;
};

// "hh:mm" or "hh:mm:ss"; the whole text must be used.
std::optional<Time> ReadTime(std::string_view text) {
    Time time;
    auto hour = ReadNumber(text, 1, 2);
    if (!hour || !ReadSeparator(text, ":")) return std::nullopt;
    auto minute = ReadNumber(text, 1, 2);
    if (!minute) return std::nullopt;
    time = {*hour, *minute, 0};
    if (ReadSeparator(text, ":")) {
        auto second = ReadNumber(text, 1, 2);
        if (!second) return std::nullopt;
        time.second = *second;
    }
    if (!text.empty()) return std::nullopt;
    return time;
}

int WithCentury(int year, size_t digits) {
    if (digits > 2) return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

// The locale's own conversions are left aside: "%x" and "%X" are given their French forms.
std::string FrenchFormat(const char* format) {
    std::string out;
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0') {
            out += *p;
        } else if (*++p == 'x') {
            out += "%d/%m/%Y";
        } else if (*p == 'X') {
            out += "%H:%M:%S";
        } else {
            out += '%';
            out += *p;
        }
    }
    return out;
}

std::tm ToTm(const Parts& parts) {
    const sys_days date{parts.date};
    std::tm tm{};
    tm.tm_year = static_cast<int>(parts.date.year()) - 1900;
    tm.tm_mon = static_cast<int>(static_cast<unsigned>(parts.date.month())) - 1;
    tm.tm_mday = static_cast<int>(static_cast<unsigned>(parts.date.day()));
    tm.tm_hour = parts.hour;
    tm.tm_min = parts.minute;
    tm.tm_sec = parts.second;
    tm.tm_wday = static_cast<int>(weekday{date}.c_encoding());
    tm.tm_yday = (date - sys_days{parts.date.year() / January / 1}).count();
    tm.tm_isdst = -1;
    return tm;
}

}  // namespace

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    m_dt = Make(year, month, day, hour, minute, second).value_or(COleDateTime()).m_dt;
}

COleDateTime COleDateTime::GetCurrentTime() {
    return FromTimeT(std::time(nullptr), true);
}

COleDateTime COleDateTime::Today() {
    return FromTimeT(std::time(nullptr), false);
}

std::optional<COleDateTime> COleDateTime::ParseDateTime(std::string_view text) {
    const std::string trimmed = text::Trim(text);
    std::string_view rest = trimmed;
    const auto d = ReadNumber(rest, 1, 2);
    if (!d || !ReadSeparator(rest, "/.-")) return std::nullopt;
    const auto m = ReadNumber(rest, 1, 2);
    if (!m || !ReadSeparator(rest, "/.-")) return std::nullopt;
    const size_t before = rest.size();
    const auto y = ReadNumber(rest, 1, 4);
    if (!y) return std::nullopt;
    const int year = WithCentury(*y, before - rest.size());
    if (rest.empty()) return Make(year, *m, *d, 0, 0, 0);
    const std::string timeText = text::TrimLeft(rest);
    const auto time = ReadTime(timeText);
    if (timeText.size() == rest.size() || !time) return std::nullopt;
    return Make(year, *m, *d, time->hour, time->minute, time->second);
}

std::string COleDateTime::ToIso() const {
    const Parts p = ToParts(m_dt);
    const auto y = static_cast<int>(p.date.year());
    const auto m = static_cast<unsigned>(p.date.month());
    const auto d = static_cast<unsigned>(p.date.day());
    if (p.hour == 0 && p.minute == 0 && p.second == 0)
        return text::Format("%04d-%02u-%02u", y, m, d);
    return text::Format("%04d-%02u-%02u %02d:%02d:%02d", y, m, d, p.hour, p.minute, p.second);
}

std::optional<COleDateTime> COleDateTime::FromIso(std::string_view iso) {
    std::string_view rest = iso;
    const auto y = ReadNumber(rest, 4, 4);
    if (!y || !ReadSeparator(rest, "-")) return std::nullopt;
    const auto m = ReadNumber(rest, 2, 2);
    if (!m || !ReadSeparator(rest, "-")) return std::nullopt;
    const auto d = ReadNumber(rest, 2, 2);
    if (!d) return std::nullopt;
    if (rest.empty()) return Make(*y, *m, *d, 0, 0, 0);
    if (!ReadSeparator(rest, " T")) return std::nullopt;
    const auto time = ReadTime(rest);
    if (!time) return std::nullopt;
    return Make(*y, *m, *d, time->hour, time->minute, time->second);
}

std::string COleDateTime::Format(const char* format) const {
    const std::tm tm = ToTm(ToParts(m_dt));
    const std::string french = FrenchFormat(format);
    // No conversion gives more than 64 characters, month and day names included.
    std::string out(64 * (french.size() + 1), '\0');
    out.resize(std::strftime(out.data(), out.size(), french.c_str(), &tm));
    return out;
}

int COleDateTime::GetYear() const {
    return static_cast<int>(ToParts(m_dt).date.year());
}
int COleDateTime::GetMonth() const {
    return static_cast<int>(static_cast<unsigned>(ToParts(m_dt).date.month()));
}
int COleDateTime::GetDay() const {
    return static_cast<int>(static_cast<unsigned>(ToParts(m_dt).date.day()));
}
int COleDateTime::GetHour() const {
    return ToParts(m_dt).hour;
}
int COleDateTime::GetMinute() const {
    return ToParts(m_dt).minute;
}
int COleDateTime::GetSecond() const {
    return ToParts(m_dt).second;
}
