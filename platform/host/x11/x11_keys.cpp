#include "x11_keys.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include "host.h"

namespace host::x11 {

unsigned VirtualKeyFromKeysym(unsigned long keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return 'A' + static_cast<unsigned>(keysym - XK_a);
  if (keysym >= XK_A && keysym <= XK_Z) return 'A' + static_cast<unsigned>(keysym - XK_A);
  if (keysym >= XK_0 && keysym <= XK_9) return '0' + static_cast<unsigned>(keysym - XK_0);
  if (keysym >= XK_F1 && keysym <= XK_F12) return 0x70 + static_cast<unsigned>(keysym - XK_F1);
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return 0x60 + static_cast<unsigned>(keysym - XK_KP_0);
  switch (keysym) {
    case XK_BackSpace:
      return 0x08;
    case XK_Tab:
    case XK_ISO_Left_Tab:
      return 0x09;
    case XK_Return:
    case XK_KP_Enter:
      return 0x0D;
    case XK_Shift_L:
    case XK_Shift_R:
      return 0x10;
    case XK_Control_L:
    case XK_Control_R:
      return 0x11;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
      return 0x12;
    case XK_Pause:
      return 0x13;
    case XK_Escape:
      return 0x1B;
    case XK_space:
      return 0x20;
    case XK_Prior:
    case XK_KP_Prior:
      return 0x21;
    case XK_Next:
    case XK_KP_Next:
      return 0x22;
    case XK_End:
    case XK_KP_End:
      return 0x23;
    case XK_Home:
    case XK_KP_Home:
      return 0x24;
    case XK_Left:
    case XK_KP_Left:
      return 0x25;
    case XK_Up:
    case XK_KP_Up:
      return 0x26;
    case XK_Right:
    case XK_KP_Right:
      return 0x27;
    case XK_Down:
    case XK_KP_Down:
      return 0x28;
    case XK_Insert:
    case XK_KP_Insert:
      return 0x2D;
    case XK_Delete:
    case XK_KP_Delete:
      return 0x2E;
    case XK_Menu:
      return 0x5D;
    default:
      return 0;
  }
}

unsigned ModifiersFromState(unsigned state, bool left_down) {
  unsigned m = 0;
  if (state & ShiftMask) m |= kModShift;
  if (state & ControlMask) m |= kModControl;
  if (state & Mod1Mask) m |= kModAlt;
  if (left_down) m |= kModLeftButton;
  return m;
}

}  // namespace host::x11
