// The last error and its text.
#include "classlib/system/OSError.h"

#include "classlib/system/Exceptions.h"
#include "classlib/system/SysUtils.h"

namespace {
int gLastError = 0;
}  // namespace

int GetLastError()
{
    return gLastError;
}

void SetLastError(int code)
{
    gLastError = code;
}

std::string SysErrorMessage(int code)
{
    switch (code) {
    case 0: return "The operation completed successfully.";
    case 2: return "The system cannot find the file specified.";
    case 5: return "Access is denied.";
    case 8: return "Not enough memory resources are available to process this command.";
    case 87: return "The parameter is incorrect.";
    case 1155: return "No application is associated with the specified file for this operation.";
    case 1400: return "Invalid window handle.";
    case 1406: return "Cannot create a top-level child window.";
    case 1413: return "Invalid index.";
    default: return Format("Unknown error %d.", code);
    }
}

void RaiseOSError(int code, const std::string& text)
{
    throw EOSError(Format("System Error.  Code: %d.\r\n%s", code, text));
}

void RaiseLastOSError()
{
    const int code = GetLastError();
    RaiseOSError(code, SysErrorMessage(code));
}
