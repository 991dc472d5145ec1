// What the family's timers and threads need from the application.
#include "classlib/forms/Application.h"
#include "classlib/system/Exceptions.h"
#include "ledclock/DmThreads.h"

#include <cstdio>

bool DmApplicationTerminating()
{
    return Application != nullptr && Application->Terminated();
}

void DmReportException(TObject* Sender)
{
    if (Application) {
        Application->HandleException(Sender);
        return;
    }
    // No application to show it: at least say what went wrong.
    try {
        throw;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "unknown exception in a timer or thread handler\n");
    }
}
