#include "platform/x11/X11Atoms.h"

namespace platform::x11 {

void X11Atoms::Intern(Display* display)
{
#define VELMORA_ATOM(name) {#name, &name}
    struct Entry {
        const char* name;
        Atom* atom;
    } entries[] = {
        VELMORA_ATOM(WM_PROTOCOLS), VELMORA_ATOM(WM_DELETE_WINDOW), VELMORA_ATOM(UTF8_STRING),
        VELMORA_ATOM(_NET_WM_NAME), VELMORA_ATOM(_NET_WM_PID), VELMORA_ATOM(_NET_WM_PING),
        VELMORA_ATOM(_NET_WM_STATE), VELMORA_ATOM(_NET_WM_STATE_ABOVE), VELMORA_ATOM(_NET_WM_WINDOW_TYPE),
        VELMORA_ATOM(_NET_WM_WINDOW_TYPE_NORMAL), VELMORA_ATOM(_NET_WM_WINDOW_TYPE_DIALOG),
        VELMORA_ATOM(_NET_WM_WINDOW_TYPE_DROPDOWN_MENU), VELMORA_ATOM(_NET_WM_MOVERESIZE),
        VELMORA_ATOM(_NET_ACTIVE_WINDOW), VELMORA_ATOM(_NET_SUPPORTED), VELMORA_ATOM(_NET_SUPPORTING_WM_CHECK),
        VELMORA_ATOM(_NET_WORKAREA), VELMORA_ATOM(_NET_CURRENT_DESKTOP), VELMORA_ATOM(_MOTIF_WM_HINTS),
    };
#undef VELMORA_ATOM
    constexpr int count = sizeof entries / sizeof entries[0];
    char* names[count];
    Atom atoms[count];
    for (int i = 0; i < count; ++i) names[i] = const_cast<char*>(entries[i].name);
    if (!XInternAtoms(display, names, count, False, atoms)) return;
    for (int i = 0; i < count; ++i) *entries[i].atom = atoms[i];
}

}  // namespace platform::x11
