#include "ledclock/DmHandCursor.h"

#include "classlib/forms/Screen.h"
#include "classlib/windowing/WindowInput.h"

void RegisterDmHandCursor()
{
    if (!Screen) return;
    // The family's own picture when the executable carries one; the platform's
    // hand shape otherwise (pointers are drawn by the platform, by shape).
    HCURSOR hand = LoadCursor(HInstance, "DMCURSORHANDPOINT");
    if (!hand) hand = LoadCursor(0, IDC_HAND);
    if (Screen->Cursors(crDmHandPoint) != hand) Screen->SetCursors(crDmHandPoint, hand);
}
