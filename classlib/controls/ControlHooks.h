// What the layer above lends the controls without their knowing it: the
// application takes the exceptions that escape event handlers, and the screen
// gives the cursor that overrides every control's and the table of cursors.
// The forms layer installs both; with neither, exceptions propagate and the
// standard arrow is shown.
#pragma once

#include "classlib/controls/Control.h"

#include <functional>

using TEventExceptionHandler = std::function<void(TObject* Sender)>;
void SetEventExceptionHandler(TEventExceptionHandler handler);

enum class TUnhandled : uint8_t { Rethrow, Ignore };
// Called inside a catch block: hands the exception being handled to the
// installed handler; without one it is rethrown (or, where nothing may
// propagate, ignored).
void HandleEventException(TObject* Sender, TUnhandled unhandled = TUnhandled::Rethrow);

class TScreenCursors {
public:
    // The cursor shown over every control, or crDefault.
    virtual TCursor Cursor() const = 0;
    // The pointer of a cursor id of the table.
    virtual HCURSOR Cursors(TCursor id) const = 0;

protected:
    ~TScreenCursors() = default;
};
// nullptr removes it.
void SetScreenCursors(TScreenCursors* screen);
TScreenCursors* ScreenCursors();
