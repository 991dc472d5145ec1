// The desktop's "open" and starting a command without waiting for it, through
// /bin/sh. The started programs are not our children for long: the shell puts
// them in the background and exits, so nothing is left to reap.
#pragma once

#include "platform/Platform.h"

#include <string>

namespace platform::x11 {

// Opens a file or an address with the desktop's default application (xdg-open).
// Fails with kErrorFileNotFound for a path that does not exist and with
// kErrorNoAssociation when no opener is installed.
bool OpenWithDesktop(const std::string& target, Error* error);
// Runs a command line (shell quoting applies) in the background; fails with
// kErrorFileNotFound when its program cannot be found.
bool RunDetached(const std::string& commandLine, Error* error);

}  // namespace platform::x11
