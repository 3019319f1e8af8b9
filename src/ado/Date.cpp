#include "Date.h"

#include "AdoConstants.h"
#include "AdoError.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace kx::ado {
namespace {

constexpr const char* kSource = "kx.Date";
constexpr double kSecondsPerDay = 86400.0;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Days from 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

constexpr std::int64_t kEpochFrom1970 = -25569; // 1899-12-30

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// Reads an unsigned decimal field of 1 to `maxDigits` digits.
bool ReadDigits(std::string_view& text, int maxDigits, int& value) {
    int count = 0;
    value = 0;
    while (!text.empty() && text.front() >= '0' && text.front() <= '9' && count < maxDigits) {
        value = value * 10 + (text.front() - '0');
        text.remove_prefix(1);
        ++count;
    }
    return count > 0;
}

bool ReadChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

} // namespace

Date Date::FromParts(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        throw AdoError(errors::InvalidArgument, kSource, "Invalid date or time.");
    const std::int64_t serial = DaysFromCivil(year, month, day) - kEpochFrom1970;
    const double time = (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
    return Date{serial >= 0 ? static_cast<double>(serial) + time : static_cast<double>(serial) - time};
}

DateParts Date::Parts() const {
    if (!std::isfinite(days))
        throw AdoError(errors::Overflow, kSource, "Overflow: the value is no date.");
    double whole = std::trunc(days);
    std::int64_t seconds = std::llround(std::fabs(days - whole) * kSecondsPerDay);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += 1.0;
    }
    DateParts parts;
    CivilFromDays(static_cast<std::int64_t>(whole) + kEpochFrom1970, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}

Date ParseDate(std::string_view text) {
    std::string_view rest = Trim(text);
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    const auto fail = [&]() -> Date {
        throw AdoError(errors::TypeMismatch, kSource,
                       "Type mismatch: \"" + std::string(text) + "\" is not a date.");
    };
    if (!ReadDigits(rest, 4, year) || rest.empty() || (rest.front() != '-' && rest.front() != '/'))
        return fail();
    const char separator = rest.front();
    rest.remove_prefix(1);
    if (!ReadDigits(rest, 2, month) || !ReadChar(rest, separator) || !ReadDigits(rest, 2, day))
        return fail();
    if (!rest.empty()) {
        if (rest.front() != ' ' && rest.front() != 'T')
            return fail();
        rest.remove_prefix(1);
        if (!ReadDigits(rest, 2, hour) || !ReadChar(rest, ':') || !ReadDigits(rest, 2, minute))
            return fail();
        if (ReadChar(rest, ':') && !ReadDigits(rest, 2, second))
            return fail();
        if (ReadChar(rest, '.')) {
            int ignored = 0;
            if (!ReadDigits(rest, 9, ignored))
                return fail();
        }
        if (!rest.empty())
            return fail();
    }
    try {
        return Date::FromParts(year, month, day, hour, minute, second);
    } catch (const AdoError&) {
        return fail();
    }
}

} // namespace kx::ado
