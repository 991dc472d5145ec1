#include "platform/x11/X11Keys.h"

#include "platform/KeyCodes.h"
#include "platform/x11/X11SeamNames.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace platform::x11 {

namespace {
// The punctuation keys of a US layout, by their usual virtual-key numbers.
constexpr uint16_t kVkOem1 = 0xBA;       // ;:
constexpr uint16_t kVkOemPlus = 0xBB;    // =+
constexpr uint16_t kVkOemComma = 0xBC;   // ,<
constexpr uint16_t kVkOemMinus = 0xBD;   // -_
constexpr uint16_t kVkOemPeriod = 0xBE;  // .>
constexpr uint16_t kVkOem2 = 0xBF;       // /?
constexpr uint16_t kVkOem3 = 0xC0;       // `~
constexpr uint16_t kVkOem4 = 0xDB;       // [{
constexpr uint16_t kVkOem5 = 0xDC;       // \|
constexpr uint16_t kVkOem6 = 0xDD;       // ]}
constexpr uint16_t kVkOem7 = 0xDE;       // '"
constexpr uint16_t kVkOem102 = 0xE2;     // <> on 102-key keyboards

struct SymbolKey {
    KeySym symbol;
    uint16_t key;
};

constexpr SymbolKey kSymbolKeys[] = {
    {XK_BackSpace, VK_BACK}, {XK_Tab, VK_TAB}, {XK_ISO_Left_Tab, VK_TAB}, {XK_Clear, VK_CLEAR},
    {XK_Return, VK_RETURN}, {XK_KP_Enter, VK_RETURN}, {XK_Pause, VK_PAUSE}, {XK_Scroll_Lock, VK_SCROLL},
    {XK_Escape, VK_ESCAPE}, {XK_Delete, VK_DELETE}, {XK_KP_Delete, VK_DELETE}, {XK_Home, VK_HOME},
    {XK_KP_Home, VK_HOME}, {XK_Left, VK_LEFT}, {XK_KP_Left, VK_LEFT}, {XK_Up, VK_UP}, {XK_KP_Up, VK_UP},
    {XK_Right, VK_RIGHT}, {XK_KP_Right, VK_RIGHT}, {XK_Down, VK_DOWN}, {XK_KP_Down, VK_DOWN},
    {XK_Prior, VK_PRIOR}, {XK_KP_Prior, VK_PRIOR}, {XK_Next, VK_NEXT}, {XK_KP_Next, VK_NEXT},
    {XK_End, VK_END}, {XK_KP_End, VK_END}, {XK_Begin, VK_CLEAR}, {XK_KP_Begin, VK_CLEAR},
    {XK_Select, VK_SELECT}, {XK_Print, VK_SNAPSHOT}, {XK_Execute, VK_EXECUTE}, {XK_Insert, VK_INSERT},
    {XK_KP_Insert, VK_INSERT}, {XK_Menu, VK_APPS}, {XK_Help, VK_HELP}, {XK_Break, VK_CANCEL},
    {XK_Num_Lock, VK_NUMLOCK}, {XK_Caps_Lock, VK_CAPITAL}, {XK_space, VK_SPACE}, {XK_KP_Space, VK_SPACE},
    {XK_KP_Multiply, VK_MULTIPLY}, {XK_KP_Add, VK_ADD}, {XK_KP_Separator, VK_SEPARATOR},
    {XK_KP_Subtract, VK_SUBTRACT}, {XK_KP_Decimal, VK_DECIMAL}, {XK_KP_Divide, VK_DIVIDE},
    {XK_Shift_L, VK_SHIFT}, {XK_Shift_R, VK_SHIFT}, {XK_Control_L, VK_CONTROL}, {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU}, {XK_Alt_R, VK_MENU}, {XK_Meta_L, VK_MENU}, {XK_Meta_R, VK_MENU},
    {XK_ISO_Level3_Shift, VK_MENU}, {XK_Super_L, VK_LWIN}, {XK_Super_R, VK_RWIN},
    {XK_semicolon, kVkOem1}, {XK_equal, kVkOemPlus}, {XK_comma, kVkOemComma}, {XK_minus, kVkOemMinus},
    {XK_period, kVkOemPeriod}, {XK_slash, kVkOem2}, {XK_grave, kVkOem3}, {XK_bracketleft, kVkOem4},
    {XK_backslash, kVkOem5}, {XK_bracketright, kVkOem6}, {XK_apostrophe, kVkOem7}, {XK_less, kVkOem102},
};

bool IsKeypadDigit(KeySym symbol)
{
    return symbol >= XK_KP_0 && symbol <= XK_KP_9;
}

uint32_t CodePointOf(KeySym symbol, const char* bytes, int length)
{
    // XLookupString yields Latin-1; one byte is the code point (control
    // characters from Ctrl included).
    if (length == 1) return static_cast<unsigned char>(bytes[0]);
    if ((symbol & 0xFF000000u) == 0x01000000u) return static_cast<uint32_t>(symbol & 0x00FFFFFFu);
    return 0;
}
}  // namespace

uint16_t VirtualKeyOfSymbol(KeySym symbol)
{
    if (symbol >= XK_a && symbol <= XK_z) return static_cast<uint16_t>('A' + (symbol - XK_a));
    if (symbol >= XK_A && symbol <= XK_Z) return static_cast<uint16_t>('A' + (symbol - XK_A));
    if (symbol >= XK_0 && symbol <= XK_9) return static_cast<uint16_t>('0' + (symbol - XK_0));
    if (IsKeypadDigit(symbol)) return static_cast<uint16_t>(VK_NUMPAD0 + (symbol - XK_KP_0));
    if (symbol >= XK_F1 && symbol <= XK_F24) return static_cast<uint16_t>(VK_F1 + (symbol - XK_F1));
    for (const SymbolKey& entry : kSymbolKeys)
        if (entry.symbol == symbol) return entry.key;
    return 0;
}

TranslatedKey TranslateKey(XKeyEvent& event)
{
    char bytes[8];
    KeySym typed = NoSymbol;
    const int length = XLookupString(&event, bytes, sizeof bytes, &typed, nullptr);
    const KeySym unshifted = XkbKeycodeToKeysym(event.display, static_cast<KeyCode>(event.keycode), 0, 0);
    TranslatedKey result;
    // Keypad keys change meaning with Num Lock (digit or arrow): the typed
    // symbol decides. Elsewhere the key's own label does.
    const bool keypad = IsKeypadDigit(typed) || (typed >= XK_KP_Space && typed <= XK_KP_Equal);
    result.key = VirtualKeyOfSymbol(keypad ? typed : unshifted);
    if (result.key == 0) result.key = VirtualKeyOfSymbol(typed);
    if (event.type == KeyPress) {
        result.character = CodePointOf(typed, bytes, length);
        if (result.character == '\n') result.character = '\r';
        if (result.character == 127) result.character = 0;  // Delete types nothing
    }
    return result;
}

uint32_t ShiftStateOf(unsigned int xstate)
{
    uint32_t shift = 0;
    if (xstate & ShiftMask) shift |= SHIFT_STATE_SHIFT;
    if (xstate & ControlMask) shift |= SHIFT_STATE_CTRL;
    if (xstate & Mod1Mask) shift |= SHIFT_STATE_ALT;
    if (xstate & Button1Mask) shift |= SHIFT_STATE_LEFT;
    if (xstate & Button2Mask) shift |= SHIFT_STATE_MIDDLE;
    if (xstate & Button3Mask) shift |= SHIFT_STATE_RIGHT;
    return shift;
}

uint32_t ModifierBitOfKey(uint16_t key)
{
    switch (key) {
    case VK_SHIFT: return SHIFT_STATE_SHIFT;
    case VK_CONTROL: return SHIFT_STATE_CTRL;
    case VK_MENU: return SHIFT_STATE_ALT;
    default: return 0;
    }
}

}  // namespace platform::x11
