// The velmora executable: saver, preview or settings dialog, chosen by the
// first argument, on the X display named by $DISPLAY.
#include "app/VelmoraMain.h"
#include "platform/x11/CreateX11Platform.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // Without a display nothing could be shown and, in saver mode, nothing
    // could ever end the run: say so and stop instead.
    const std::unique_ptr<platform::IPlatform> display = platform::CreateX11Platform();
    if (!display) {
        std::fprintf(stderr, "velmora: cannot open the X display; set DISPLAY to the display to run on\n");
        return 1;
    }
    platform::SetPlatform(display.get());
    const int exitCode = VelmoraMain(argc, argv);
    platform::SetPlatform(nullptr);
    return exitCode;
}
