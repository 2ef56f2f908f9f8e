// Conversions between calendar dates, times of day and day numbers, and the host's clock.
#include "classlib/runtime/DateTime.h"

#include <algorithm>
#include <cmath>

#include "classlib/runtime/Exceptions.h"

namespace {

constexpr int64_t MsPerDay = 86400000;

// Days from 1 January 1970 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

const int64_t Epoch = DaysFromCivil(1899, 12, 30);

// The value's day and its time of day in milliseconds, rounded to the nearest millisecond.
void Split(TDateTime value, int64_t& days, int64_t& ms)
{
    if (!std::isfinite(value) || std::fabs(value) > 3e6)
        throw EConvertError("Date ou heure incorrecte.");
    double whole = std::trunc(value);
    days = static_cast<int64_t>(whole);
    ms = static_cast<int64_t>(std::llround(std::fabs(value - whole) * MsPerDay));
    if (ms >= MsPerDay)
        ms = MsPerDay - 1;
}

} // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return days[month - 1] + (month == 2 && IsLeapYear(year));
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    date = static_cast<double>(DaysFromCivil(year, month, day) - Epoch);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return false;
    time = ((hour * 3600000.0) + minute * 60000.0 + second * 1000.0 + millisecond) / MsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime d;
    if (!TryEncodeDate(year, month, day, d))
        throw EConvertError("Date incorrecte.");
    return d;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    TDateTime t;
    if (!TryEncodeTime(hour, minute, second, millisecond, t))
        throw EConvertError("Heure incorrecte.");
    return t;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time)
{
    return date < 0 ? date - time : date + time;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    int64_t days, ms;
    Split(value, days, ms);
    CivilFromDays(days + Epoch, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond)
{
    int64_t days, ms;
    Split(value, days, ms);
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    millisecond = static_cast<int>(ms % 1000);
}

TDateTime Date()
{
    return std::trunc(Now());
}

#if !defined(_WIN32)
#include <chrono>
#include <ctime>

TDateTime Now()
{
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    int ms = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    return ComposeDateTime(EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), ms));
}
#endif
