// Runs velmora's real entry point on the headless backend for a test: its
// own settings folders, a script of actions at chosen moments of the run, a
// watch on every idle pass, and a guard that ends a run the program does not
// end by itself.
#pragma once

#include "classlib/windowing/Messages.h"
#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Readable points in test failures.
inline void PrintTo(const TPoint& p, std::ostream* os)
{
    *os << "(" << p.X << ", " << p.Y << ")";
}

struct TRunResult {
    int ExitCode = -1;
    // The loop was reached (no failure while the main form was created).
    bool LoopStarted = false;
    // The program ended the run itself, before the guard did.
    bool EndedByItself = false;
    std::vector<std::string> Boxes;  // texts of the error boxes, in order
};

class TVelmoraSession {
public:
    TVelmoraSession();
    ~TVelmoraSession();
    TVelmoraSession(const TVelmoraSession&) = delete;
    TVelmoraSession& operator=(const TVelmoraSession&) = delete;

    platform::HeadlessPlatform Platform;

    // Settings: the registry key with these value lines, or the INI file's text.
    void WriteStyleKey(const std::string& valueLines);
    void WriteStyle(int style) { WriteStyleKey("\"Style\"=dword:" + Hex8(style) + "\n"); }
    void WriteSettingsFile(const std::string& text);

    // Runs velmora with these arguments (after the program name). beforeLoop
    // runs once the main form exists; the guard ends the run after guardMs
    // of simulated time.
    TRunResult Run(const std::vector<std::string>& arguments, const std::function<void()>& beforeLoop = {},
                   int guardMs = 2000);

    // From beforeLoop or an action: runs action ms milliseconds from now (at least 10).
    void At(int ms, std::function<void()> action);
    // From beforeLoop: calls watcher after each idle pass with the pass number (1, 2, ...).
    void AfterEachPass(std::function<void(int pass)> watcher);
    // The native window of the main form (0 when it has none).
    platform::WindowId MainWindow() const;

private:
    static std::string Hex8(int value);
    void TimerProc(TMessage& message);

    TTempFolder FFolder;
    std::optional<std::string> FSavedConfig;
    HWND FTimerWindow = 0;
    uintptr_t FNextTimer = 1;
    std::vector<std::pair<uintptr_t, std::function<void()>>> FActions;
    bool FGuardFired = false;
};
