// Opening files and addresses, and running command lines, through the platform.
#include "classlib/windowing/Shell.h"

#include "classlib/system/OSError.h"
#include "classlib/system/SysUtils.h"
#include "classlib/windowing/WindowTree.h"
#include "platform/Platform.h"

bool ShellExecuteEx(SHELLEXECUTEINFO* info)
{
    if (!info || info->cbSize != 60) {
        SetLastError(87);
        return false;
    }
    if (!info->lpVerb.empty() && !SameText(info->lpVerb, "open")) {
        SetLastError(platform::kErrorNoAssociation);
        info->hInstApp = platform::kErrorNoAssociation;
        return false;
    }
    std::string target = info->lpFile;
    if (!info->lpDirectory.empty() && !target.empty() && target[0] != '/' && target.find("://") == std::string::npos)
        target = IncludeTrailingPathDelimiter(info->lpDirectory) + target;
    platform::Error error;
    if (target.empty() || !platform::GetPlatform().ShellOpen(target, &error)) {
        const int code = target.empty() ? platform::kErrorFileNotFound : error.code;
        SetLastError(code);
        info->hInstApp = static_cast<HINSTANCE>(code);
        return false;
    }
    info->hInstApp = 42;
    return true;
}

UINT WinExec(const std::string& commandLine, UINT)
{
    platform::Error error;
    if (commandLine.empty()) return platform::kErrorFileNotFound;
    if (!platform::GetPlatform().RunCommand(commandLine, &error)) return static_cast<UINT>(error.code ? error.code : platform::kErrorFileNotFound);
    return 33;
}
