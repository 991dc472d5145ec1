// FormatDateTime and the date/time-to-text shorthands.
#pragma once

#include "classlib/system/DateUtils.h"
#include "classlib/system/FormatSettings.h"

#include <string>
#include <string_view>

// Formats a date and time. Letters (any case) stand for parts of the value:
//   c        ShortDateFormat, then " " and LongTimeFormat unless the time is midnight
//   d dd     day without / with leading zero;  ddd dddd  short / long day name
//   ddddd    ShortDateFormat;  dddddd  LongDateFormat
//   m mm     month without / with leading zero (minutes right after an h);  mmm mmmm  month names
//   yy yyyy  two- / four-digit year
//   h hh     hour;  n nn  minute;  s ss  second;  z zzz  millisecond
//   t tt     ShortTimeFormat / LongTimeFormat
//   am/pm a/p  "am"/"pm" or "a"/"p" in the case written;  ampm  TimeAMString / TimePMString
//            (any of these after an h makes that hour count 1..12)
//   /  :     DateSeparator / TimeSeparator
//   "..." '...'  literal text
// Every other character is copied. An empty format means "c".
std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& settings);
std::string FormatDateTime(std::string_view format, TDateTime value);

std::string DateToStr(TDateTime value);     // ShortDateFormat
std::string TimeToStr(TDateTime value);     // LongTimeFormat
std::string DateTimeToStr(TDateTime value); // "c"
