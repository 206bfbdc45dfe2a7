#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Dates and times as the record files and all calculations use them: a date is a day number,
// so adding days is plain addition; a time is a count of hundredths of a second.
namespace rt {

// Days since 28 December 1800 (1 January 1801 = 4); 0 = no date.
using StdDate = std::int32_t;
// Hundredths of a second since midnight, plus one; 0 = no time.
using StdTime = std::int32_t;

StdDate dateFromYmd(int year, int month, int day);
struct Ymd
{
    int year = 0;
    int month = 0;
    int day = 0;
};
Ymd ymdFromDate(StdDate date);

StdTime timeFromHms(int hour, int minute, int second, int hundredths = 0);

// The platform's current date and time in the forms above. Tests may fix them.
StdDate today();
StdTime clockNow();
void setFixedNow(StdDate date, StdTime time);
void clearFixedNow();

// "07.12.2026"; an empty text for date 0.
std::string formatDate(StdDate date);
// Accepts "7.12.2026", "07.12.26", "7.12." (current year); returns 0 for empty or invalid text.
StdDate parseDate(std::string_view text);

// The DATE field form of the record files: day, month, year (little-endian 16-bit);
// all zero = no date.
void dateToField(StdDate date, unsigned char *field4);
StdDate dateFromField(const unsigned char *field4);

} // namespace rt
