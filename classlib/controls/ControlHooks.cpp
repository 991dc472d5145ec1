// The hooks the forms layer installs for the controls.
#include "classlib/controls/ControlHooks.h"

namespace {
TEventExceptionHandler gExceptionHandler;
TScreenCursors* gScreenCursors = nullptr;
}  // namespace

void SetEventExceptionHandler(TEventExceptionHandler handler)
{
    gExceptionHandler = std::move(handler);
}

void HandleEventException(TObject* Sender, TUnhandled unhandled)
{
    if (gExceptionHandler)
        gExceptionHandler(Sender);
    else if (unhandled == TUnhandled::Rethrow)
        throw;
}

void SetScreenCursors(TScreenCursors* screen)
{
    gScreenCursors = screen;
}

TScreenCursors* ScreenCursors()
{
    return gScreenCursors;
}
