// Regional settings: the defaults and the conversion of a C library locale's
// LC_TIME items (names and strftime formats) into them.
#include "classlib/system/FormatSettings.h"

#include <clocale>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>
#include <vector>

namespace {

// One piece of a strftime format: literal text, or one conversion already
// turned into format letters.
struct TPiece {
    bool Literal = false;
    std::string Text;  // the literal, or the format letters
    char Conversion = 0;
};

constexpr int kMaxExpansionDepth = 3;

void AppendLiteral(std::vector<TPiece>& pieces, const std::string& text)
{
    if (text.empty()) return;
    if (!pieces.empty() && pieces.back().Literal) {
        pieces.back().Text += text;
        return;
    }
    pieces.push_back({true, text, 0});
}

void ParseStrftime(const std::string& format, const std::string& ampmFormat, int depth, std::vector<TPiece>& pieces)
{
    if (depth > kMaxExpansionDepth) return;
    size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') {
            const size_t next = format.find('%', i);
            const size_t end = next == std::string::npos ? format.size() : next;
            AppendLiteral(pieces, format.substr(i, end - i));
            i = end;
            continue;
        }
        ++i;
        bool unpadded = false;
        while (i < format.size() && std::string_view("_-0^#").find(format[i]) != std::string_view::npos) {
            if (format[i] == '-') unpadded = true;
            ++i;
        }
        while (i < format.size() && format[i] >= '0' && format[i] <= '9') ++i;
        if (i < format.size() && (format[i] == 'E' || format[i] == 'O')) ++i;
        if (i >= format.size()) break;
        const char c = format[i++];
        auto conversion = [&](const char* padded, const char* plain) {
            pieces.push_back({false, unpadded ? plain : padded, c});
        };
        switch (c) {
        case 'a': conversion("ddd", "ddd"); break;
        case 'A': conversion("dddd", "dddd"); break;
        case 'b':
        case 'h': conversion("mmm", "mmm"); break;
        case 'B': conversion("mmmm", "mmmm"); break;
        case 'd': conversion("dd", "d"); break;
        case 'e': conversion("d", "d"); break;
        case 'm': conversion("mm", "m"); break;
        case 'y': conversion("yy", "yy"); break;
        case 'Y': conversion("yyyy", "yyyy"); break;
        case 'H': conversion("hh", "h"); break;
        case 'k': conversion("h", "h"); break;
        case 'I': conversion("hh", "h"); break;
        case 'l': conversion("h", "h"); break;
        case 'M': conversion("nn", "n"); break;
        case 'S': conversion("ss", "s"); break;
        case 'p':
        case 'P': conversion("ampm", "ampm"); break;
        case 'n':
        case 't': AppendLiteral(pieces, " "); break;
        case '%': AppendLiteral(pieces, "%"); break;
        case 'D': ParseStrftime("%m/%d/%y", ampmFormat, depth + 1, pieces); break;
        case 'F': ParseStrftime("%Y-%m-%d", ampmFormat, depth + 1, pieces); break;
        case 'T': ParseStrftime("%H:%M:%S", ampmFormat, depth + 1, pieces); break;
        case 'R': ParseStrftime("%H:%M", ampmFormat, depth + 1, pieces); break;
        case 'r': ParseStrftime(ampmFormat, "%I:%M:%S %p", depth + 1, pieces); break;
        default: break; // time zones, week numbers and the like have no format letter
        }
    }
}

// The literal between the first two conversions: the locale's separator.
std::string SeparatorOf(const std::vector<TPiece>& pieces, const std::string& fallback)
{
    size_t first = 0;
    while (first < pieces.size() && pieces[first].Literal) ++first;
    if (first + 2 >= pieces.size() || !pieces[first + 1].Literal || pieces[first + 2].Literal) return fallback;
    const std::string& text = pieces[first + 1].Text;
    if (text.size() > 4 || text.find_first_not_of(' ') == std::string::npos) return fallback;
    return text;
}

bool NeedsQuotes(const std::string& text)
{
    for (const char c : text) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '/' || c == ':' || c == '"' || c == '\'')
            return true;
    }
    return false;
}

std::string QuoteLiteral(const std::string& text)
{
    if (!NeedsQuotes(text)) return text;
    if (text.find('"') == std::string::npos) return '"' + text + '"';
    if (text.find('\'') == std::string::npos) return '\'' + text + '\'';
    std::string plain;
    for (const char c : text)
        if (c != '"') plain.push_back(c);
    return '\'' + plain + '\'';
}

// Format letters for the pieces; a literal equal to `separator` becomes the
// separator placeholder ("/" or ":"), any other literal is quoted as needed.
std::string Emit(const std::vector<TPiece>& pieces, const std::string& separator, const char* placeholder)
{
    std::string out;
    for (const TPiece& piece : pieces) {
        if (!piece.Literal) out += piece.Text;
        else if (piece.Text == separator) out += placeholder;
        else out += QuoteLiteral(piece.Text);
    }
    return out;
}

// The long date built from the order of day, month and year in the short one.
std::string LongDateFrom(const std::vector<TPiece>& pieces, const std::string& separator)
{
    std::string order;
    for (const TPiece& piece : pieces) {
        const char c = piece.Conversion;
        const char part = (c == 'd' || c == 'e') ? 'D' : (c == 'm' || c == 'b' || c == 'B' || c == 'h') ? 'M'
                        : (c == 'y' || c == 'Y') ? 'Y' : 0;
        if (part && order.find(part) == std::string::npos) order.push_back(part);
    }
    if (order.rfind("DM", 0) == 0) return separator == "." ? "dddd, d. mmmm yyyy" : "dddd, d mmmm yyyy";
    if (order.rfind("YM", 0) == 0) return "dddd, yyyy mmmm d";
    return "dddd, mmmm d, yyyy";
}

bool IsPlainCLocale(const std::string& name)
{
    return name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

std::string EnvironmentLocaleName()
{
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return "C";
}

TFormatSettings& GlobalSettings()
{
    static TFormatSettings settings = [] {
        TFormatSettings s = TFormatSettings::Defaults();
        TFormatSettings::FromLocale("", s);
        return s;
    }();
    return settings;
}

} // namespace

TFormatSettings TFormatSettings::Defaults()
{
    TFormatSettings s;
    s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    s.LongMonthNames = {"January", "February", "March", "April", "May", "June", "July", "August",
                        "September", "October", "November", "December"};
    s.ShortDateFormat = "m/d/yy";
    s.LongDateFormat = "dddd, mmmm d, yyyy";
    s.DateSeparator = "/";
    s.TimeSeparator = ":";
    s.LongTimeFormat = "h:nn:ss AMPM";
    s.ShortTimeFormat = "h:nn AMPM";
    s.TimeAMString = "AM";
    s.TimePMString = "PM";
    return s;
}

bool TFormatSettings::FromLocale(const std::string& localeName, TFormatSettings& out)
{
    const std::string name = localeName.empty() ? EnvironmentLocaleName() : localeName;
    if (IsPlainCLocale(name)) {
        out = Defaults();
        return true;
    }
    locale_t locale = newlocale(LC_TIME_MASK, name.c_str(), static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0)) return false;
    auto item = [locale](nl_item id) { return std::string(nl_langinfo_l(id, locale)); };

    TFormatSettings s = Defaults();
    for (int i = 0; i < 7; ++i) {
        s.ShortDayNames[i] = item(ABDAY_1 + i);
        s.LongDayNames[i] = item(DAY_1 + i);
    }
    for (int i = 0; i < 12; ++i) {
        s.ShortMonthNames[i] = item(ABMON_1 + i);
        s.LongMonthNames[i] = item(MON_1 + i);
    }
    std::string ampm = item(T_FMT_AMPM);
    if (ampm.empty()) ampm = "%I:%M:%S %p";

    std::vector<TPiece> date;
    ParseStrftime(item(D_FMT), ampm, 0, date);
    if (!date.empty()) {
        s.DateSeparator = SeparatorOf(date, "/");
        s.ShortDateFormat = Emit(date, s.DateSeparator, "/");
        s.LongDateFormat = LongDateFrom(date, s.DateSeparator);
    }

    std::vector<TPiece> time;
    ParseStrftime(item(T_FMT), ampm, 0, time);
    if (!time.empty()) {
        s.TimeSeparator = SeparatorOf(time, ":");
        s.LongTimeFormat = Emit(time, s.TimeSeparator, ":");
        // The short time is the long one without its seconds (and the text before them).
        std::vector<TPiece> shortTime;
        for (const TPiece& piece : time) {
            if (piece.Conversion == 'S') {
                if (!shortTime.empty() && shortTime.back().Literal) shortTime.pop_back();
                continue;
            }
            shortTime.push_back(piece);
        }
        s.ShortTimeFormat = Emit(shortTime, s.TimeSeparator, ":");
    }
    s.TimeAMString = item(AM_STR);
    s.TimePMString = item(PM_STR);
    freelocale(locale);
    out = std::move(s);
    return true;
}

const TFormatSettings& FormatSettings()
{
    return GlobalSettings();
}

void SetFormatSettings(const TFormatSettings& settings)
{
    GlobalSettings() = settings;
}

bool LoadFormatSettings(const std::string& localeName)
{
    TFormatSettings s;
    if (!TFormatSettings::FromLocale(localeName, s)) return false;
    GlobalSettings() = std::move(s);
    return true;
}
