// The keys the program reacts to must reach it with Windows' codes.
// gtest before Xlib: X.h defines None as a macro.
#include <gtest/gtest.h>

#include <X11/X.h>
#include <X11/keysym.h>

#include "platform/host/host.h"
#include "platform/host/x11/x11_keys.h"

namespace host::x11 {
namespace {

TEST(X11Keys, KeysymsBecomeWindowsVirtualKeys) {
  struct {
    unsigned long keysym;
    unsigned vk;
  } cases[] = {{XK_Escape, 0x1B},
               {XK_Return, 0x0D},
               {XK_KP_Enter, 0x0D},
               {XK_Tab, 0x09},
               {XK_ISO_Left_Tab, 0x09},
               {XK_space, 0x20},
               {XK_Left, 0x25},
               {XK_Up, 0x26},
               {XK_Right, 0x27},
               {XK_Down, 0x28},
               {XK_Home, 0x24},
               {XK_End, 0x23},
               {XK_Prior, 0x21},
               {XK_Next, 0x22},
               {XK_F4, 0x73},
               {XK_F1, 0x70},
               {XK_a, 'A'},
               {XK_Z, 'Z'},
               {XK_0, '0'},
               {XK_Alt_L, 0x12},
               {XK_Shift_R, 0x10},
               {XK_Control_L, 0x11},
               {XK_dead_acute, 0},
               {0, 0}};
  for (const auto& c : cases) EXPECT_EQ(VirtualKeyFromKeysym(c.keysym), c.vk) << c.keysym;
}

TEST(X11Keys, ModifiersComeFromTheStateAndTheButtonAfterTheEvent) {
  EXPECT_EQ(ModifiersFromState(Mod1Mask, false), kModAlt);
  EXPECT_EQ(ModifiersFromState(ShiftMask | ControlMask, true),
            kModShift | kModControl | kModLeftButton);
  EXPECT_EQ(ModifiersFromState(Button1Mask, false), 0u);  // a release: no longer held
  EXPECT_EQ(ModifiersFromState(Mod4Mask | LockMask, false), 0u);
}

}  // namespace
}  // namespace host::x11
