#pragma once

#include <string_view>

namespace kx::ado {

/// The parts of a date and time of day, in the proleptic Gregorian calendar.
struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const DateParts&, const DateParts&) = default;
};

/// A date and time as an automation date: days since 1899-12-30 00:00, the
/// fraction being the time of day. Before 1899-12-30 the whole part counts back
/// and the fraction still counts forward from midnight (-1.25 is 1899-12-29 06:00).
/// Times are kept to the second.
struct Date {
    double days = 0.0;

    /// Throws AdoError (InvalidArgument) for a month, day or time out of range.
    static Date FromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    static Date FromParts(const DateParts& parts) {
        return FromParts(parts.year, parts.month, parts.day, parts.hour, parts.minute, parts.second);
    }
    /// The parts, the time rounded to the nearest second.
    DateParts Parts() const;
    friend bool operator==(const Date&, const Date&) = default;
};

/// Parses "yyyy-mm-dd", "yyyy/mm/dd", optionally followed by " hh:mm[:ss[.fff]]"
/// (or "T" instead of the blank); throws TypeMismatch for other text.
Date ParseDate(std::string_view text);

} // namespace kx::ado
