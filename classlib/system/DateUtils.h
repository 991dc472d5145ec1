// TDateTime: days since 30 December 1899 with the time of day as the fraction,
// its encoding and decoding, and the wall clock the program reads it from.
#pragma once

#include <cstdint>
#include <functional>

using TDateTime = double;

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = HoursPerDay * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;

bool IsLeapYear(int year);
// 28 to 31; 0 for a month outside 1..12.
int DaysInAMonth(int year, int month);

// Year 1..9999, month 1..12, day 1..days of that month; anything else raises
// EConvertError "Invalid argument to date encode".
TDateTime EncodeDate(int year, int month, int day);
// Hour 0..23, minute and second 0..59, millisecond 0..999; anything else raises
// EConvertError "Invalid argument to time encode".
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& value);

// Decoding rounds the value to whole milliseconds first, so 23:59:59.9999 is
// the next midnight. For a negative value the fraction still counts forward
// from midnight (-1.25 is 29 December 1899, 06:00). A value that is not a
// finite date of the years 1..9999 raises EConvertError "Invalid argument to
// date decode".
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day,
                    int& hour, int& minute, int& second, int& millisecond);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);

// The local date and time now, from the wall-clock source.
TDateTime Now();
// Today at midnight.
TDateTime Date();
// The time of day now (the fraction only).
TDateTime Time();

// Replaces the wall-clock source (a platform backend or a test chooses the
// time); an empty function restores the default, the C library's local time
// with milliseconds. The source is called on whatever thread asks for the time.
using TWallClock = std::function<TDateTime()>;
void SetWallClock(TWallClock clock);
// The C library's local time, independent of any replacement source.
TDateTime SystemLocalTime();
// The platform's wall clock as local time (the headless backend's fake clock in tests).
TDateTime PlatformLocalTime();
