// Minimise, restore, and a second process bringing the first and its dialog to the front.
// gtest before Xlib: Xlib defines None and Bool as macros.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include "x11_fixture.h"

namespace host::test {
namespace {

bool StateEvent(const Event& e, NativeWindow w, bool minimized) {
  return e.type == EventType::kWindowState && e.window == w && e.minimized == minimized;
}

void CheckMinimiseAndRestore(X11Host& host, Probe& probe, NativeWindow w) {
  host.Minimize(w);
  ASSERT_TRUE(WaitFor(host, [w](const Event& e) { return StateEvent(e, w, true); }));
  EXPECT_TRUE(Eventually(host, [&] { return probe.Attributes(w)->map_state != IsViewable; }));
  host.Minimize(w);  // already minimised: nothing more
  host.Restore(w);
  auto e = WaitFor(host, [w](const Event& ev) { return ev.type == EventType::kWindowState; });
  ASSERT_TRUE(e);
  EXPECT_TRUE(StateEvent(*e, w, false));
  EXPECT_TRUE(Eventually(host, [&] { return probe.Attributes(w)->map_state == IsViewable; }));
}

// `first` is the running instance; `second` the process started after it.
void CheckFindAndRaise(X11Host& first, X11Host& second, Probe& probe) {
  WindowDesc main_desc;
  main_desc.rect = Rect{100, 100, 500, 400};
  main_desc.app_window = true;
  NativeWindow main = first.CreateWindow(main_desc);
  first.SetMarker(main, "Halcyra", 1);
  first.Show(main, true);
  WindowDesc dlg_desc;
  dlg_desc.rect = Rect{150, 150, 350, 300};
  dlg_desc.captioned = true;
  dlg_desc.owner = main;
  NativeWindow dlg = first.CreateWindow(dlg_desc);
  first.Show(dlg, true);
  first.SetLastActivePopup(main, dlg);
  ASSERT_TRUE(Eventually(first, [&] { return probe.Attributes(dlg)->map_state == IsViewable; }));
  first.Minimize(main);
  ASSERT_TRUE(WaitFor(first, [main](const Event& e) { return StateEvent(e, main, true); }));
  ASSERT_TRUE(Eventually(first, [&] { return probe.Attributes(main)->map_state != IsViewable; }));
  // A window manager records the state on its own time.
  ASSERT_TRUE(Eventually(second, [&] { return second.ForeignIsMinimized(main); }));

  // Some other window of the second process covers the place and has the focus.
  WindowDesc cover_desc;
  cover_desc.rect = Rect{50, 50, 600, 500};
  NativeWindow cover = second.CreateWindow(cover_desc);
  second.Show(cover, true);
  ASSERT_TRUE(Eventually(second, [&] { return probe.Focus() == cover; }));

  // What start-up does in the second process.
  NativeWindow found = 0;
  for (const ForeignWindow& fw : second.ForeignWindows()) {
    EXPECT_NE(fw.id, cover) << "the own windows are not listed";
    if (second.ForeignMarker(fw.id, "HALCYRA") == 1) {
      found = fw.id;
      break;
    }
  }
  ASSERT_EQ(found, main);
  EXPECT_FALSE(second.ForeignMarker(dlg, "Halcyra").has_value());
  EXPECT_FALSE(second.ForeignMarker(cover, "NoSuchMarkerEverSet").has_value());
  EXPECT_FALSE(second.ForeignMarker(0x7FFFFFF0, "Halcyra").has_value()) << "stale id";
  EXPECT_FALSE(second.ForeignIsMinimized(cover));
  second.ForeignRestore(found);
  second.ForeignActivate(found);
  const NativeWindow popup = second.ForeignLastActivePopup(found);
  EXPECT_EQ(popup, dlg);
  second.ForeignActivate(popup);

  // The first process learns it was restored and activated.
  ASSERT_TRUE(WaitFor(first, [main](const Event& e) { return StateEvent(e, main, false); }));
  EXPECT_TRUE(Eventually(first, [&] { return probe.Focus() == dlg; }));
  EXPECT_TRUE(Eventually(first, [&] {
    const int d = probe.StackIndex(dlg), m = probe.StackIndex(main), c = probe.StackIndex(cover);
    return d >= 0 && d < m && m < c;
  })) << "dialog above main above the other window";

  first.DestroyWindow(dlg);
  first.CursorPos();
  EXPECT_EQ(second.ForeignLastActivePopup(main), main);
  first.RemoveMarker(main, "halcyra");
  first.CursorPos();
  EXPECT_FALSE(second.ForeignMarker(main, "Halcyra").has_value());
}

TEST_F(X11Test, MinimiseThenRestoreIsReportedAsState) {
  NativeWindow w = ShowSolid(*host_, Desc({100, 100, 200, 200}), 0x445566);
  EXPECT_FALSE(host_->DecoratesCaptions());
  CheckMinimiseAndRestore(*host_, *probe_, w);
}

TEST_F(X11Test, ASecondProcessFindsTheFirstByItsMarkerAndRaisesIt) {
  std::string error;
  auto second = X11Host::Open(server_->display(), &error);
  ASSERT_TRUE(second) << error;
  CheckFindAndRaise(*host_, *second, *probe_);
}

TEST_F(X11WmTest, MinimiseThenRestoreUnderAWindowManager) {
  ASSERT_TRUE(host_->HasWindowManager());
  EXPECT_TRUE(host_->DecoratesCaptions());
  NativeWindow w = ShowSolid(*host_, Desc({100, 100, 200, 200}), 0x445566);
  ASSERT_TRUE(Eventually(*host_, [&] { return probe_->Attributes(w)->map_state == IsViewable; }));
  CheckMinimiseAndRestore(*host_, *probe_, w);
}

TEST_F(X11WmTest, ASecondProcessFindsTheFirstThroughTheFrames) {
  std::string error;
  auto second = X11Host::Open(server_->display(), &error);
  ASSERT_TRUE(second) << error;
  CheckFindAndRaise(*host_, *second, *probe_);
}

}  // namespace
}  // namespace host::test
