// The regional settings that date and time formatting uses: day and month
// names, date and time formats and their separators.
#pragma once

#include <array>
#include <string>

struct TFormatSettings {
    std::array<std::string, 7> ShortDayNames;   // [0] is Sunday
    std::array<std::string, 7> LongDayNames;
    std::array<std::string, 12> ShortMonthNames; // [0] is January
    std::array<std::string, 12> LongMonthNames;
    std::string ShortDateFormat;
    std::string LongDateFormat;
    std::string DateSeparator;
    std::string TimeSeparator;
    std::string LongTimeFormat;
    std::string ShortTimeFormat;
    std::string TimeAMString;
    std::string TimePMString;

    // The settings used when there is no regional setting (the C and POSIX
    // locales): Sun..Sat, Jan..Dec, "m/d/yy", "h:nn:ss AMPM" and so on.
    static TFormatSettings Defaults();
    // Reads the LC_TIME items of the named locale ("" means the user's
    // environment: LC_ALL, LC_TIME, LANG) and converts its strftime formats to
    // format strings. Returns false, leaving `out` alone, when the locale is
    // not installed; the C and POSIX locales give Defaults().
    static bool FromLocale(const std::string& localeName, TFormatSettings& out);
};

// The process's regional settings, read from the user's environment on first
// use. Read and changed on the main thread only.
const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);
// Replaces the process's settings with those of the named locale ("" for the
// user's environment); false, with nothing changed, when it is not installed.
bool LoadFormatSettings(const std::string& localeName);

