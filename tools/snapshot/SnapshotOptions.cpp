#include "tools/snapshot/SnapshotOptions.h"

#include <charconv>
#include <cstdio>
#include <string_view>

const char* const kSnapshotUsage =
    "usage: snapshot [--screen WxH] [--time \"YYYY-MM-DD hh:mm:ss\"] [--run-ms N] [--exe-dir DIR]\n"
    "                [--foreign WxH] [--out FILE.png] [-- program arguments...]\n";

namespace {

// Screens and foreign windows larger than this would only exhaust memory.
constexpr int kMaxSide = 8192;
// Simulated time runs fast, but a moving saver still does one pass per 10 ms.
constexpr int kMaxRunMs = 600000;

bool ParseInt(std::string_view text, int low, int high, int& value)
{
    int parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

bool ParseSize(std::string_view text, std::pair<int, int>& size)
{
    const size_t x = text.find('x');
    return x != std::string_view::npos && ParseInt(text.substr(0, x), 1, kMaxSide, size.first) &&
           ParseInt(text.substr(x + 1), 1, kMaxSide, size.second);
}

bool ParseTime(std::string_view text, TSnapshotOptions::TStartTime& time)
{
    // Exactly "YYYY-MM-DD hh:mm:ss".
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return false;
    if (!ParseInt(text.substr(0, 4), 1, 9999, time.Year) || !ParseInt(text.substr(5, 2), 1, 12, time.Month) ||
        !ParseInt(text.substr(8, 2), 1, 31, time.Day) || !ParseInt(text.substr(11, 2), 0, 23, time.Hour) ||
        !ParseInt(text.substr(14, 2), 0, 59, time.Minute) || !ParseInt(text.substr(17, 2), 0, 59, time.Second))
        return false;
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (time.Year % 4 == 0 && time.Year % 100 != 0) || time.Year % 400 == 0;
    return time.Day <= kDays[time.Month - 1] && (time.Month != 2 || time.Day <= 28 || leap);
}

}  // namespace

std::optional<TSnapshotOptions> ParseSnapshotOptions(int argc, const char* const* argv, std::string& error)
{
    TSnapshotOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i] ? argv[i] : "";
        if (option == "--") {
            for (++i; i < argc; ++i) options.ProgramArguments.emplace_back(argv[i] ? argv[i] : "");
            break;
        }
        const bool takesValue = option == "--screen" || option == "--time" || option == "--run-ms" ||
                                option == "--exe-dir" || option == "--foreign" || option == "--out";
        if (!takesValue) {
            error = "unknown option '" + std::string(option) + "'";
            return std::nullopt;
        }
        if (i + 1 >= argc || !argv[i + 1]) {
            error = "option " + std::string(option) + " needs a value";
            return std::nullopt;
        }
        const std::string_view value = argv[++i];
        bool ok = true;
        if (option == "--screen") {
            std::pair<int, int> size;
            ok = ParseSize(value, size);
            options.ScreenWidth = size.first;
            options.ScreenHeight = size.second;
        } else if (option == "--time") {
            TSnapshotOptions::TStartTime time{};
            ok = ParseTime(value, time);
            options.Time = time;
        } else if (option == "--run-ms") {
            int ms = 0;
            ok = ParseInt(value, 0, kMaxRunMs, ms);
            options.RunMs = ms;
        } else if (option == "--exe-dir") {
            ok = !value.empty();
            options.ExeDir = value;
        } else if (option == "--foreign") {
            std::pair<int, int> size;
            ok = ParseSize(value, size);
            options.Foreign = size;
        } else {
            ok = !value.empty();
            options.Out = value;
        }
        if (!ok) {
            error = "bad value '" + std::string(value) + "' for " + std::string(option);
            return std::nullopt;
        }
    }
    return options;
}
