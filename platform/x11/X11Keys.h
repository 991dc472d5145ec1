// Key symbols and modifier masks to the virtual-key codes and shift-state bits
// the class library works with.
#pragma once

#include "platform/x11/X11SeamNames.h"
#include <X11/Xlib.h>

#include <cstdint>

namespace platform::x11 {

struct TranslatedKey {
    uint16_t key = 0;        // VK_* code, 0 when the key has none
    uint32_t character = 0;  // the typed code point, 0 for none
};

// Looks the key up in the keyboard mapping: the virtual key follows the key's
// unshifted symbol (the key labelled "A" is 'A' with or without Shift), the
// character what the modifiers make of it.
TranslatedKey TranslateKey(XKeyEvent& event);

// The virtual key of a key symbol (the unshifted one; keypad symbols as typed).
uint16_t VirtualKeyOfSymbol(KeySym symbol);

// SHIFT_STATE_* bits of an X modifier and button mask.
uint32_t ShiftStateOf(unsigned int xstate);

// The SHIFT_STATE_* bit a modifier key itself contributes (0 for other keys),
// so that pressing Shift reports Shift as held, as releasing it reports it gone.
uint32_t ModifierBitOfKey(uint16_t key);

}  // namespace platform::x11
