#include "stddate.h"

#include <charconv>
#include <chrono>
#include <ctime>
#include <optional>

namespace rt {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's days_from_civil).
constexpr long daysFromCivil(long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

Ymd civilFromDays(long z)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

constexpr long kEpoch = daysFromCivil(1800, 12, 28);

bool validYmd(int y, int m, int d)
{
    if (y < 1801 || y > 9999 || m < 1 || m > 12 || d < 1)
        return false;
    return civilFromDays(daysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d))).day
           == d;
}

std::optional<std::pair<StdDate, StdTime>> fixedNow;

std::tm localNow(int *hundredths)
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    const auto ms
        = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    *hundredths = static_cast<int>((ms % 1000) / 10);
    return tm;
}

} // namespace

StdDate dateFromYmd(int year, int month, int day)
{
    if (!validYmd(year, month, day))
        return 0;
    return static_cast<StdDate>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch);
}

Ymd ymdFromDate(StdDate date)
{
    if (date <= 0)
        return {};
    return civilFromDays(date + kEpoch);
}

StdTime timeFromHms(int hour, int minute, int second, int hundredths)
{
    return ((hour * 60 + minute) * 60 + second) * 100 + hundredths + 1;
}

StdDate today()
{
    if (fixedNow)
        return fixedNow->first;
    int h = 0;
    const std::tm tm = localNow(&h);
    return dateFromYmd(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

StdTime clockNow()
{
    if (fixedNow)
        return fixedNow->second;
    int h = 0;
    const std::tm tm = localNow(&h);
    return timeFromHms(tm.tm_hour, tm.tm_min, tm.tm_sec, h);
}

void setFixedNow(StdDate date, StdTime time)
{
    fixedNow = std::make_pair(date, time);
}

void clearFixedNow()
{
    fixedNow.reset();
}

std::string formatDate(StdDate date)
{
    if (date <= 0)
        return {};
    const Ymd ymd = ymdFromDate(date);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", ymd.day, ymd.month, ymd.year);
    return buf;
}

StdDate parseDate(std::string_view text)
{
    int parts[3] = {0, 0, 0};
    int count = 0;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    while (i < text.size() && count < 3) {
        const char *begin = text.data() + i;
        const char *end = text.data() + text.size();
        int value = 0;
        const auto [ptr, ec] = std::from_chars(begin, end, value);
        if (ec != std::errc() || ptr == begin)
            return 0;
        parts[count++] = value;
        i = static_cast<std::size_t>(ptr - text.data());
        if (i < text.size() && (text[i] == '.' || text[i] == '/' || text[i] == '-'))
            ++i;
        else
            break;
    }
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i != text.size() || count < 2)
        return 0;
    int year = parts[2];
    if (count == 2 || year == 0)
        year = ymdFromDate(today()).year;
    else if (year < 100)
        year += year < 70 ? 2000 : 1900;
    return dateFromYmd(year, parts[1], parts[0]);
}

void dateToField(StdDate date, unsigned char *field4)
{
    if (date <= 0) {
        field4[0] = field4[1] = field4[2] = field4[3] = 0;
        return;
    }
    const Ymd ymd = ymdFromDate(date);
    field4[0] = static_cast<unsigned char>(ymd.day);
    field4[1] = static_cast<unsigned char>(ymd.month);
    field4[2] = static_cast<unsigned char>(ymd.year & 0xff);
    field4[3] = static_cast<unsigned char>((ymd.year >> 8) & 0xff);
}

StdDate dateFromField(const unsigned char *field4)
{
    const int day = field4[0];
    const int month = field4[1];
    const int year = field4[2] | (field4[3] << 8);
    if (day == 0 && month == 0 && year == 0)
        return 0;
    return dateFromYmd(year, month, day);
}

} // namespace rt
