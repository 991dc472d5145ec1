// The shell: opening a file or an address with the desktop's default
// application, and running a command line, through the platform.
#pragma once

#include "classlib/windowing/Messages.h"

#include <string>

constexpr uint32_t SEE_MASK_NOCLOSEPROCESS = 0x00000040;
constexpr uint32_t SEE_MASK_FLAG_DDEWAIT = 0x00000100;
constexpr uint32_t SEE_MASK_FLAG_NO_UI = 0x00000400;

struct SHELLEXECUTEINFO {
    DWORD cbSize = 60;
    uint32_t fMask = 0;
    HWND hwnd = 0;
    std::string lpVerb;  // "Open" (any case) or empty
    std::string lpFile;
    std::string lpParameters;
    std::string lpDirectory;
    int nShow = 1;
    HINSTANCE hInstApp = 0;  // > 32 on success, an error number otherwise
};

// Opens info.lpFile; false (with GetLastError set) when it cannot. Verbs other than "open" fail.
bool ShellExecuteEx(SHELLEXECUTEINFO* info);
// Starts a command line; a value above 31 on success, an error number otherwise.
UINT WinExec(const std::string& commandLine, UINT show);
