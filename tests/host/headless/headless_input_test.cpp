// Injected input reaches the window under the pointer or the capture; keys the active one.
#include <vector>

#include <gtest/gtest.h>

#include "headless_host.h"

namespace host {
namespace {

std::vector<Event> Drain(HeadlessHost& host) {
  std::vector<Event> out;
  Event e;
  while (host.PollEvent(&e)) out.push_back(e);
  return out;
}

NativeWindow Make(HeadlessHost& host, Rect r, bool popup = false) {
  WindowDesc d;
  d.rect = r;
  d.popup = popup;
  NativeWindow w = host.CreateWindow(d);
  host.Show(w, !popup);
  return w;
}

TEST(HeadlessInput, PointerEventsGoToTheWindowUnderThePointerThroughShapes) {
  HeadlessHost host;
  NativeWindow below = Make(host, {0, 0, 200, 200});
  NativeWindow above = Make(host, {100, 100, 300, 300});
  std::vector<Rect> no_corner{{20, 0, 200, 20}, {0, 20, 200, 200}};
  host.SetShape(above, &no_corner);

  host.MovePointer({105, 105});  // the cut corner of `above`
  host.MovePointer({125, 105});
  host.MovePointer({250, 250});
  host.MovePointer({500, 500});  // the desktop
  auto ev = Drain(host);
  ASSERT_EQ(ev.size(), 4u);
  EXPECT_EQ(ev[0].window, below);
  EXPECT_EQ(ev[1].window, above);
  EXPECT_EQ(ev[2].window, above);
  EXPECT_EQ(ev[3].window, 0u);
  EXPECT_EQ(ev[3].type, EventType::kPointerMove);
  EXPECT_EQ(ev[3].screen.x, 500);
  EXPECT_EQ(host.CursorPos().y, 500);

  // Hidden and minimised windows are not hit.
  host.Minimize(above);
  Drain(host);
  host.MovePointer({150, 150});
  EXPECT_EQ(Drain(host).at(0).window, below);
  host.Restore(above);
  host.Hide(above);
  Drain(host);
  host.MovePointer({250, 250});
  EXPECT_EQ(Drain(host).at(0).window, 0u);
}

TEST(HeadlessInput, CaptureTakesEveryPointerEventUntilReleased) {
  HeadlessHost host;
  NativeWindow a = Make(host, {0, 0, 100, 100});
  NativeWindow b = Make(host, {200, 0, 300, 100});

  host.MovePointer({50, 50});
  host.PressButton();
  host.SetCapture(a);
  host.MovePointer({250, 50});   // over b
  host.MovePointer({-40, 500});  // off every window and the screen
  host.ReleaseButton();
  auto ev = Drain(host);
  ASSERT_EQ(ev.size(), 5u);
  ev.erase(ev.begin());
  EXPECT_EQ(ev[0].type, EventType::kButtonDown);
  EXPECT_EQ(ev[0].modifiers & kModLeftButton, kModLeftButton);
  EXPECT_EQ(ev[1].window, a);
  EXPECT_EQ(ev[1].modifiers & kModLeftButton, kModLeftButton);
  EXPECT_EQ(ev[2].window, a);
  EXPECT_EQ(ev[2].screen.x, -40);
  EXPECT_EQ(ev[3].type, EventType::kButtonUp);
  EXPECT_EQ(ev[3].window, a);
  EXPECT_EQ(ev[3].button, 1);
  EXPECT_EQ(ev[3].modifiers & kModLeftButton, 0u);

  // Released over b, which saw none of the moves that brought the pointer there: it learns now.
  host.MovePointer({250, 50});
  EXPECT_EQ(Drain(host).at(0).window, a);
  host.SetCapture(0);
  auto released = Drain(host);
  ASSERT_EQ(released.size(), 1u);
  EXPECT_EQ(released[0].type, EventType::kPointerMove);
  EXPECT_EQ(released[0].window, b);
  EXPECT_EQ(released[0].screen.x, 250);
  host.SetCapture(0);  // nothing was held: nothing to tell
  EXPECT_TRUE(Drain(host).empty());

  // A destroyed capture window no longer takes anything.
  host.SetCapture(b);
  host.DestroyWindow(b);
  EXPECT_EQ(host.Capture(), 0u);
  host.MovePointer({10, 10});
  EXPECT_EQ(Drain(host).at(0).window, a);
  host.SetCapture(777);  // unknown handle: no capture
  EXPECT_EQ(host.Capture(), 0u);
}

TEST(HeadlessInput, KeysGoToTheActiveWindowWithHeldModifiers) {
  HeadlessHost host;
  NativeWindow main = Make(host, {0, 0, 100, 100});
  Make(host, {300, 300, 310, 310}, /*popup=*/true);  // a tooltip never takes the keyboard
  EXPECT_EQ(host.ActiveWindow(), main);

  host.KeyDown(0x12);  // Alt
  host.PressKey(0x20);
  host.KeyUp(0x12);
  host.PressKey(0x1B);
  auto ev = Drain(host);
  ASSERT_EQ(ev.size(), 6u);
  EXPECT_EQ(ev[1].type, EventType::kKeyDown);
  EXPECT_EQ(ev[1].vk, 0x20u);
  EXPECT_EQ(ev[1].window, main);
  EXPECT_EQ(ev[1].modifiers & kModAlt, kModAlt);
  EXPECT_EQ(ev[2].type, EventType::kKeyUp);
  EXPECT_EQ(ev[4].vk, 0x1Bu);
  EXPECT_EQ(ev[4].modifiers & kModAlt, 0u);

  host.Minimize(main);
  host.Minimize(main);  // already minimised: reported once
  EXPECT_EQ(host.ActiveWindow(), 0u);
  host.PressKey(0x0D);
  ev = Drain(host);
  ASSERT_EQ(ev.size(), 3u);
  EXPECT_EQ(ev[0].type, EventType::kWindowState);
  EXPECT_TRUE(ev[0].minimized);
  EXPECT_EQ(ev[1].window, 0u);
}

// Without a task bar, a minimised application window is brought back through its tile.
TEST(HeadlessInput, APressOnATileRestoresItsWindowAndNothingElseSeesIt) {
  HeadlessHost host;
  WindowDesc d;
  d.rect = {100, 100, 300, 300};
  d.app_window = true;
  NativeWindow first = host.CreateWindow(d);
  NativeWindow second = host.CreateWindow(d);
  NativeWindow plain = Make(host, {400, 100, 500, 200});  // not an application window
  host.Show(first, true);
  host.Show(second, true);
  host.Minimize(second);
  host.Minimize(plain);
  EXPECT_FALSE(host.TileRect(plain).has_value());
  constexpr int kBottom = HeadlessHost::kScreenHeight;
  constexpr int kTile = HeadlessHost::kTileSize;
  ASSERT_TRUE(host.TileRect(second).has_value());
  EXPECT_EQ(host.TileRect(second)->left, 0) << "the only tile starts at the left edge";
  host.Minimize(first);
  // Tiles keep the order of creation, not of minimising.
  EXPECT_EQ(host.TileAt({0, kBottom - 1}), first);
  EXPECT_EQ(host.TileAt({kTile, kBottom - kTile}), second);
  EXPECT_EQ(host.TileAt({2 * kTile, kBottom - 1}), 0u);
  EXPECT_EQ(host.TileAt({kTile, kBottom - kTile - 1}), 0u);
  Drain(host);

  host.MovePointer({kTile + 5, kBottom - 5});
  host.PressButton(1);
  host.MovePointer({kTile + 6, kBottom - 5});
  host.ReleaseButton(1);
  EXPECT_FALSE(host.IsMinimized(second));
  EXPECT_EQ(host.ActiveWindow(), second);
  EXPECT_EQ(host.TileAt({kTile + 5, kBottom - 5}), 0u);
  EXPECT_EQ(host.TileAt({0, kBottom - 1}), first) << "the remaining tile stays where it was";
  auto ev = Drain(host);
  ASSERT_EQ(ev.size(), 4u);
  EXPECT_EQ(ev[0].type, EventType::kPointerMove);
  EXPECT_EQ(ev[1].type, EventType::kWindowState);
  EXPECT_FALSE(ev[1].minimized);
  EXPECT_EQ(ev[1].window, second);
  EXPECT_EQ(ev[2].type, EventType::kFocusIn);
  EXPECT_EQ(ev[3].type, EventType::kPointerMove);
  EXPECT_EQ(ev[3].modifiers & kModLeftButton, 0u) << "the press was the tile's";

  // A window over a tile takes the press; a held capture does too.
  host.SetWindowRect(second, {0, kBottom - 100, 200, kBottom});
  host.MovePointer({5, kBottom - 5});
  host.PressButton(1);
  host.ReleaseButton(1);
  EXPECT_TRUE(host.IsMinimized(first));
  host.SetWindowRect(second, {100, 100, 300, 300});
  host.SetCapture(second);
  host.PressButton(1);
  host.ReleaseButton(1);
  EXPECT_TRUE(host.IsMinimized(first));
  ev = Drain(host);
  ASSERT_EQ(ev.size(), 5u);
  EXPECT_EQ(ev[1].window, second);
  EXPECT_EQ(ev[4].type, EventType::kButtonUp);
  EXPECT_EQ(ev[4].window, second);
}

TEST(HeadlessInput, MarkersAndLastActivePopupsAreKeptPerWindow) {
  HeadlessHost host;
  NativeWindow main = Make(host, {0, 0, 100, 100});
  NativeWindow dlg = Make(host, {10, 10, 50, 50});
  host.SetMarker(main, "Halcyra", 1);
  EXPECT_EQ(host.ForeignMarker(main, "HALCYRA"), 1);  // names ignore case
  EXPECT_FALSE(host.ForeignMarker(dlg, "Halcyra").has_value());
  EXPECT_FALSE(host.ForeignMarker(999, "Halcyra").has_value());
  EXPECT_TRUE(host.ForeignWindows().empty());

  EXPECT_EQ(host.ForeignLastActivePopup(main), main);
  host.SetLastActivePopup(main, dlg);
  EXPECT_EQ(host.ForeignLastActivePopup(main), dlg);

  host.Minimize(main);
  EXPECT_TRUE(host.ForeignIsMinimized(main));
  host.ForeignRestore(main);
  EXPECT_FALSE(host.IsMinimized(main));
  host.Raise(main, true);
  Drain(host);
  host.ForeignActivate(dlg);
  EXPECT_EQ(host.ActiveWindow(), dlg);
  EXPECT_EQ(host.VisibleWindows().front(), dlg);
  auto ev = Drain(host);
  ASSERT_EQ(ev.size(), 1u);
  EXPECT_EQ(ev[0].type, EventType::kFocusIn);

  host.DestroyWindow(dlg);
  EXPECT_EQ(host.LastActivePopup(main), main);
  host.RemoveMarker(main, "halcyra");
  EXPECT_FALSE(host.Marker(main, "Halcyra").has_value());
}

}  // namespace
}  // namespace host
