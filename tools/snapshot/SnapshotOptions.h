// The snapshot tool's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct TSnapshotOptions {
    int ScreenWidth = 1920;
    int ScreenHeight = 1080;
    // The wall clock at start, as local time; none keeps the backend's default.
    struct TStartTime {
        int Year, Month, Day, Hour, Minute, Second;
    };
    std::optional<TStartTime> Time;
    // Simulated milliseconds before the picture; none: at the first idle
    // moment, when the first frame is complete.
    std::optional<int> RunMs;
    std::string ExeDir;
    // A foreign window at the screen's top-left corner; {foreign} in the
    // program's arguments stands for its id.
    std::optional<std::pair<int, int>> Foreign;
    std::string Out = "snapshot.png";
    std::vector<std::string> ProgramArguments;
};

// Parses argv[1..]; on a bad command line returns nothing and fills error.
std::optional<TSnapshotOptions> ParseSnapshotOptions(int argc, const char* const* argv, std::string& error);

extern const char* const kSnapshotUsage;
