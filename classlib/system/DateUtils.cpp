// TDateTime arithmetic and the replaceable wall-clock source.
#include "classlib/system/DateUtils.h"

#include "classlib/system/Exceptions.h"
#include "platform/Platform.h"

#include <cmath>
#include <ctime>
#include <memory>
#include <mutex>

namespace {

// Day 1 is 1 January of the year 1; TDateTime 0 is day kDateDelta.
constexpr int64_t kDateDelta = 693594;
constexpr int64_t kFirstDay = 1;        // 0001-01-01
constexpr int64_t kLastDay = 3652059;   // 9999-12-31

constexpr int kDaysInMonth[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

int64_t DayNumber(int year, int month, int day)
{
    const int64_t y = year - 1;
    int64_t days = y * 365 + y / 4 - y / 100 + y / 400 + day;
    const int leap = IsLeapYear(year) ? 1 : 0;
    for (int m = 1; m < month; ++m) days += kDaysInMonth[leap][m - 1];
    return days;
}

[[noreturn]] void DecodeError()
{
    throw EConvertError("Invalid argument to date decode");
}

// Splits a value into its day number and its milliseconds since midnight.
void SplitValue(TDateTime value, int64_t& dayNumber, int& msOfDay)
{
    if (!std::isfinite(value)) DecodeError();
    if (value < double(kFirstDay - kDateDelta - 1) || value > double(kLastDay - kDateDelta + 1)) DecodeError();
    const int64_t total = static_cast<int64_t>(std::nearbyint(value * MSecsPerDay));
    const int64_t magnitude = total < 0 ? -total : total;
    const int64_t days = magnitude / MSecsPerDay;
    msOfDay = static_cast<int>(magnitude % MSecsPerDay);
    dayNumber = (total < 0 ? -days : days) + kDateDelta;
    if (dayNumber < kFirstDay || dayNumber > kLastDay) DecodeError();
}

void DayNumberToDate(int64_t dayNumber, int& year, int& month, int& day)
{
    constexpr int64_t D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
    int64_t t = dayNumber - 1;
    int64_t y = 1 + 400 * (t / D400);
    t %= D400;
    int64_t i = t / D100;
    int64_t d = t % D100;
    if (i == 4) {
        --i;
        d += D100;
    }
    y += 100 * i;
    y += 4 * (d / D4);
    d %= D4;
    i = d / D1;
    d %= D1;
    if (i == 4) {
        --i;
        d += D1;
    }
    y += i;
    year = static_cast<int>(y);
    const int leap = IsLeapYear(year) ? 1 : 0;
    month = 1;
    while (d >= kDaysInMonth[leap][month - 1]) {
        d -= kDaysInMonth[leap][month - 1];
        ++month;
    }
    day = static_cast<int>(d) + 1;
}

std::mutex gClockMutex;
std::shared_ptr<const TWallClock> gClock;

} // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0) && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month)
{
    if (month < 1 || month > 12) return 0;
    return kDaysInMonth[IsLeapYear(year) ? 1 : 0][month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month))
        return false;
    value = static_cast<double>(DayNumber(year, month, day) - kDateDelta);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& value)
{
    if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 ||
        millisecond < 0 || millisecond >= 1000)
        return false;
    value = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime v = 0;
    if (!TryEncodeDate(year, month, day, v)) throw EConvertError("Invalid argument to date encode");
    return v;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    TDateTime v = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, v)) throw EConvertError("Invalid argument to time encode");
    return v;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    int64_t dayNumber = 0;
    int ms = 0;
    SplitValue(value, dayNumber, ms);
    DayNumberToDate(dayNumber, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond)
{
    int64_t dayNumber = 0;
    int ms = 0;
    SplitValue(value, dayNumber, ms);
    hour = ms / 3600000;
    minute = ms / 60000 % 60;
    second = ms / 1000 % 60;
    millisecond = ms % 1000;
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day,
                    int& hour, int& minute, int& second, int& millisecond)
{
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, millisecond);
}

int DayOfWeek(TDateTime value)
{
    int64_t dayNumber = 0;
    int ms = 0;
    SplitValue(value, dayNumber, ms);
    return static_cast<int>(dayNumber % 7) + 1;
}

TDateTime SystemLocalTime()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local {};
    const time_t seconds = now.tv_sec;
    if (!localtime_r(&seconds, &local)) return 0;
    TDateTime date = 0;
    TDateTime time = 0;
    if (!TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date)) return 0;
    // A leap second (tm_sec 60) shows as :59.
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
    TryEncodeTime(local.tm_hour, local.tm_min, second, static_cast<int>(now.tv_nsec / 1000000), time);
    return date + time;
}

void SetWallClock(TWallClock clock)
{
    std::shared_ptr<const TWallClock> next;
    if (clock) next = std::make_shared<const TWallClock>(std::move(clock));
    std::lock_guard<std::mutex> lock(gClockMutex);
    gClock = std::move(next);
}

TDateTime Now()
{
    std::shared_ptr<const TWallClock> clock;
    {
        std::lock_guard<std::mutex> lock(gClockMutex);
        clock = gClock;
    }
    return clock ? (*clock)() : SystemLocalTime();
}

TDateTime Date()
{
    return std::floor(Now());
}

TDateTime Time()
{
    const TDateTime now = Now();
    return now - std::floor(now);
}

TDateTime PlatformLocalTime()
{
    platform::IPlatform& p = platform::GetPlatform();
    const platform::LocalTime t = p.LocalTimeOf(p.WallClockMs());
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(t.year, t.month, t.day, date)) return SystemLocalTime();
    TryEncodeTime(t.hour, t.minute, t.second, t.millisecond, time);
    return date + time;
}
