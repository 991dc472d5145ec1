// The last error of a system call and raising it as EOSError.
#pragma once

#include <string>

int GetLastError();
void SetLastError(int code);
std::string SysErrorMessage(int code);
// Raises EOSError "System Error.  Code: %d.\r\n%s" for the last error.
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseOSError(int code, const std::string& text);
