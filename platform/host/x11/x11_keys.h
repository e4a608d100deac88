// Keyboard translation: X keysyms and modifier state to Windows virtual-key codes and host
// modifier bits.
#pragma once

namespace host::x11 {

// The Windows virtual-key code of an unshifted keysym, 0 for keys the program never sees.
unsigned VirtualKeyFromKeysym(unsigned long keysym);

// Host modifier bits (kModShift, ...) from an X event state. `left_down` says whether the left
// button is held after the event (the X state tells the state before it).
unsigned ModifiersFromState(unsigned state, bool left_down);

}  // namespace host::x11
