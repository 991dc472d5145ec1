// FormatDateTime: walks the format once, decoding the value only when a
// letter needs it, so a pure literal format never fails.
#include "classlib/system/DateFormat.h"

#include <cstdio>

namespace {

constexpr int kMaxNesting = 2; // ddddd, c, t and tt expand other formats once

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view prefix)
{
    if (text.size() - at < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[at + i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != prefix[i]) return false;
    }
    return true;
}

class TDateTimeFormatter {
public:
    TDateTimeFormatter(TDateTime value, const TFormatSettings& settings) : FValue(value), FSettings(settings) {}

    void Append(std::string_view format, int level)
    {
        if (level >= kMaxNesting) return;
        char lastToken = ' ';
        size_t i = 0;
        while (i < format.size()) {
            const char starter = format[i];
            char token = starter >= 'a' && starter <= 'z' ? static_cast<char>(starter - 'a' + 'A') : starter;
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H') token = 'N';
                lastToken = token;
            }
            size_t count = 1;
            while (i + count < format.size() && format[i + count] == starter) ++count;
            switch (token) {
            case 'Y':
                Date();
                AppendNumber(count <= 2 ? FYear % 100 : FYear, count <= 2 ? 2 : 4);
                break;
            case 'M':
                Date();
                if (count <= 2) AppendNumber(FMonth, static_cast<int>(count));
                else if (count == 3) FOut += FSettings.ShortMonthNames[FMonth - 1];
                else FOut += FSettings.LongMonthNames[FMonth - 1];
                break;
            case 'D':
                Date();
                if (count <= 2) AppendNumber(FDay, static_cast<int>(count));
                else if (count == 3) FOut += FSettings.ShortDayNames[FDayOfWeek - 1];
                else if (count == 4) FOut += FSettings.LongDayNames[FDayOfWeek - 1];
                else if (count == 5) Append(FSettings.ShortDateFormat, level + 1);
                else Append(FSettings.LongDateFormat, level + 1);
                break;
            case 'H': {
                Time();
                int hour = FHour;
                if (Uses12HourClock(format, i + count)) hour = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
                AppendNumber(hour, count > 2 ? 2 : static_cast<int>(count));
                break;
            }
            case 'N':
                Time();
                AppendNumber(FMinute, count > 2 ? 2 : static_cast<int>(count));
                break;
            case 'S':
                Time();
                AppendNumber(FSecond, count > 2 ? 2 : static_cast<int>(count));
                break;
            case 'Z':
                Time();
                AppendNumber(FMillisecond, count > 1 ? 3 : 1);
                break;
            case 'T':
                Append(count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, level + 1);
                break;
            case 'C':
                Append(FSettings.ShortDateFormat, level + 1);
                Time();
                if (FHour != 0 || FMinute != 0 || FSecond != 0 || FMillisecond != 0) {
                    FOut += ' ';
                    Append(FSettings.LongTimeFormat, level + 1);
                }
                break;
            case 'A':
                count = AppendAmPm(format, i);
                break;
            case '/':
                FOut += FSettings.DateSeparator;
                count = 1;
                break;
            case ':':
                FOut += FSettings.TimeSeparator;
                count = 1;
                break;
            case '"':
            case '\'': {
                const size_t close = format.find(starter, i + 1);
                const size_t end = close == std::string_view::npos ? format.size() : close;
                FOut.append(format.substr(i + 1, end - i - 1));
                count = (close == std::string_view::npos ? end : end + 1) - i;
                break;
            }
            default:
                FOut.append(format.substr(i, count));
                break;
            }
            i += count;
        }
    }

    std::string Result() { return std::move(FOut); }

private:
    // An hour counts 1..12 when, before the next h, the first unquoted "a"
    // begins "am/pm", "a/p" or "ampm".
    static bool Uses12HourClock(std::string_view format, size_t from)
    {
        bool quoted = false;
        for (size_t p = from; p < format.size(); ++p) {
            const char c = format[p];
            if (c == '"' || c == '\'') quoted = !quoted;
            if (quoted) continue;
            if (c == 'h' || c == 'H') return false;
            if (c == 'a' || c == 'A')
                return StartsWithNoCase(format, p, "AM/PM") || StartsWithNoCase(format, p, "A/P") ||
                       StartsWithNoCase(format, p, "AMPM");
        }
        return false;
    }

    // Handles a token starting with "a"; returns the characters it used.
    size_t AppendAmPm(std::string_view format, size_t i)
    {
        if (StartsWithNoCase(format, i, "AM/PM")) {
            Time();
            FOut.append(format.substr(FHour >= 12 ? i + 3 : i, 2));
            return 5;
        }
        if (StartsWithNoCase(format, i, "A/P")) {
            Time();
            FOut.append(format.substr(FHour >= 12 ? i + 2 : i, 1));
            return 3;
        }
        if (StartsWithNoCase(format, i, "AMPM")) {
            Time();
            FOut += FHour >= 12 ? FSettings.TimePMString : FSettings.TimeAMString;
            return 4;
        }
        if (StartsWithNoCase(format, i, "AAAA")) {
            Date();
            FOut += FSettings.LongDayNames[FDayOfWeek - 1];
            return 4;
        }
        if (StartsWithNoCase(format, i, "AAA")) {
            Date();
            FOut += FSettings.ShortDayNames[FDayOfWeek - 1];
            return 3;
        }
        FOut += format[i];
        return 1;
    }

    void Date()
    {
        if (FHaveDate) return;
        DecodeDate(FValue, FYear, FMonth, FDay);
        FDayOfWeek = DayOfWeek(FValue);
        FHaveDate = true;
    }

    void Time()
    {
        if (FHaveTime) return;
        DecodeTime(FValue, FHour, FMinute, FSecond, FMillisecond);
        FHaveTime = true;
    }

    void AppendNumber(int value, int digits)
    {
        char buffer[16];
        const int n = std::snprintf(buffer, sizeof buffer, "%0*d", digits, value);
        if (n > 0) FOut.append(buffer, static_cast<size_t>(n));
    }

    TDateTime FValue;
    const TFormatSettings& FSettings;
    std::string FOut;
    bool FHaveDate = false;
    bool FHaveTime = false;
    int FYear = 0, FMonth = 1, FDay = 1, FDayOfWeek = 1;
    int FHour = 0, FMinute = 0, FSecond = 0, FMillisecond = 0;
};

} // namespace

std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& settings)
{
    TDateTimeFormatter formatter(value, settings);
    formatter.Append(format.empty() ? std::string_view("c") : format, 0);
    return formatter.Result();
}

std::string FormatDateTime(std::string_view format, TDateTime value)
{
    return FormatDateTime(format, value, FormatSettings());
}

std::string DateToStr(TDateTime value)
{
    return FormatDateTime("ddddd", value);
}

std::string TimeToStr(TDateTime value)
{
    return FormatDateTime("tt", value);
}

std::string DateTimeToStr(TDateTime value)
{
    return FormatDateTime("c", value);
}
