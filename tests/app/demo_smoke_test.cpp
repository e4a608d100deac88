// halcyra-demo end to end on its own Xvfb: the window comes up shaped, Apply shows its tooltip
// and sends the report that the simulated controller prints, Alt+Space reaches the about box, the
// background drags the window, minimise and restore work, and the close button ends the
// program; without a display it says so and fails.
// GoogleTest before Xlib, whose macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "x11_test_support.h"
#include "xvfb_suite.h"

namespace {

using app::test::ChildProcess;
using host::test::Probe;
using host::test::XvfbServer;

constexpr int kWidth = 800;  // the skin's size
constexpr int kHeight = 540;
constexpr std::uint32_t kRootColor = 0x00FF00;

// The ARGB apply report of effect 8 in the custom colour 61, 69, 255.
std::string ExpectedApplyLine() {
  std::string line = "00 80 0B 02 03 02 00 03 03 3D 45 FF";
  for (int i = 0; i < 53; ++i) line += " 00";
  return line;
}

// One Xvfb per suite, with or without a window manager.
class DemoFixture : public host::test::XvfbSuite {
 protected:
  // The demo's main window: a viewable top-level window of the skin's size, or the window of that
  // size inside a window manager's frame.
  std::optional<Window> FindMainWindow() {
    auto skinSized = [&](Window w) {
      auto a = probe_->Attributes(w);
      return a && a->map_state == IsViewable && !a->override_redirect && a->width == kWidth &&
             a->height == kHeight;
    };
    std::optional<Window> found;
    for (Window top : Children(probe_->root())) {
      if (!skinSized(top)) continue;
      found = top;
      for (Window inner : Children(top)) {
        if (skinSized(inner)) found = inner;
      }
      break;
    }
    return found;
  }

  std::vector<Window> Children(Window w) {
    Window root_return, parent;
    Window* kids = nullptr;
    unsigned n = 0;
    std::vector<Window> out;
    if (XQueryTree(probe_->dpy(), w, &root_return, &parent, &kids, &n)) out.assign(kids, kids + n);
    if (kids) XFree(kids);
    return out;
  }

  std::optional<Window> WaitForMainWindow() {
    std::optional<Window> found;
    probe_->WaitUntil([&] { return (found = FindMainWindow()).has_value(); });
    return found;
  }

  // A shown popup (tooltip, menu): a viewable override-redirect window of more than one pixel (a
  // window manager keeps a 1 x 1 one of its own).
  std::optional<Window> WaitForPopup(Window other_than = 0) {
    std::optional<Window> found;
    probe_->WaitUntil([&] {
      for (Window w : Children(probe_->root())) {
        if (w == other_than) continue;
        auto a = probe_->Attributes(w);
        if (a && a->map_state == IsViewable && a->override_redirect && a->width > 1) {
          found = w;
          return true;
        }
      }
      return false;
    });
    return found;
  }

  // Waits until a top-level window that is neither the main window nor a popup is shown
  // (`shown`) or none is left (!`shown`).
  bool WaitForDialog(bool shown) {
    return probe_->WaitUntil([&] {
      bool any = false;
      for (Window w : Children(probe_->root())) {
        auto a = probe_->Attributes(w);
        any = any || (a && a->map_state == IsViewable && !a->override_redirect &&
                      !(a->width == kWidth && a->height == kHeight));
      }
      return any == shown;
    });
  }

  // Waits until the window's origin is `expected`; returns the last origin seen.
  host::Point WaitForOrigin(Window w, host::Point expected, int timeout_ms = 5000) {
    host::Point at{};
    probe_->WaitUntil(
        [&] {
          if (auto o = probe_->Origin(w)) at = *o;
          return at.x == expected.x && at.y == expected.y;
        },
        timeout_ms);
    return at;
  }

  bool WaitForMapState(Window w, int state) {
    return probe_->WaitUntil([&] {
      auto a = probe_->Attributes(w);
      return a && a->map_state == state;
    });
  }

  // Waits until the screen at (x, y) shows something other than the root, that is, the window
  // there has painted.
  bool WaitForPaint(int x, int y) {
    return probe_->WaitUntil([&] { return probe_->PixelAt(x, y) != kRootColor; });
  }

  void Click(int x, int y) {
    probe_->MovePointer(x, y);
    probe_->Button(true);
    probe_->Button(false);
  }

  // Presses on `window` at `from`, moves by (dx, dy) in small steps, each time waiting for the
  // window to follow, and releases.
  void Drag(Window window, host::Point from, int dx, int dy) {
    const host::Point start = probe_->Origin(window).value_or(host::Point{});
    probe_->MovePointer(from.x, from.y);
    probe_->Button(true);
    constexpr int kSteps = 10;
    for (int i = 1; i <= kSteps; ++i) {
      probe_->MovePointer(from.x + dx * i / kSteps, from.y + dy * i / kSteps);
      // A window manager takes the move over once the press has reached it, and answers only the
      // motion after that: a step it missed is made up by the next, so each wait is short.
      WaitForOrigin(window, {start.x + dx * i / kSteps, start.y + dy * i / kSteps},
                    i == kSteps ? 5000 : 500);
    }
    probe_->Button(false);
  }

  // Runs the demo through its whole life as a person would use it.
  void RunScenario(bool with_wm) {
    probe_->SetRootColor(kRootColor);
    auto demo = ChildProcess::Start({HALCYRA_DEMO_PATH}, server_->display());
    ASSERT_TRUE(demo);
    const std::optional<Window> window = WaitForMainWindow();
    ASSERT_TRUE(window) << "no window; stderr: " << demo->Errors();
    std::optional<host::Point> origin = probe_->Origin(*window);
    ASSERT_TRUE(origin);
    ASSERT_TRUE(WaitForPaint(origin->x + 300, origin->y + 400)) << "never painted";
    // A window manager gives the new window the keyboard a moment after it maps it.
    ASSERT_TRUE(probe_->WaitUntil([&] { return probe_->Focus() == *window; })) << "never focused";

    // Shaped: the white corner of the skin shows the root, the inside shows the skin.
    EXPECT_EQ(kRootColor, probe_->PixelAt(origin->x, origin->y));
    EXPECT_NE(kRootColor, probe_->PixelAt(origin->x + 300, origin->y + 400));

    // Resting on Apply brings its tooltip up below the pointer, without taking the focus.
    const int applyX = origin->x + 586 + 97;
    const int applyY = origin->y + 474 + 22;
    probe_->MovePointer(applyX - 2, applyY);
    probe_->MovePointer(applyX, applyY);
    const Window focus = probe_->Focus();
    const std::optional<Window> tip = WaitForPopup();
    ASSERT_TRUE(tip) << "no tooltip";
    const std::optional<host::Point> tipAt = probe_->Origin(*tip);
    ASSERT_TRUE(tipAt);
    EXPECT_EQ(applyX, tipAt->x);
    EXPECT_GT(tipAt->y, applyY);
    EXPECT_EQ(focus, probe_->Focus());

    // Apply: one report, the apply request.
    Click(applyX, applyY);
    EXPECT_EQ(ExpectedApplyLine(), demo->ReadLine(5000).value_or("<no line>"));
    // The button holds the pointer from the press: a release off it, over the background, still
    // clicks (and drags nothing).
    probe_->Button(true);
    probe_->MovePointer(applyX - 150, applyY - 60);
    probe_->MovePointer(applyX - 160, applyY - 70);
    probe_->Button(false);
    EXPECT_EQ(ExpectedApplyLine(), demo->ReadLine(5000).value_or("<no line>"));
    const host::Point still = probe_->Origin(*window).value_or(host::Point{});
    EXPECT_EQ(origin->x, still.x);
    EXPECT_EQ(origin->y, still.y);

    // Alt+Space opens the system menu; its last item, the about item, opens the about box over
    // the window, and Enter closes it again. (A window manager keeps Alt+Space for its own window
    // menu.)
    if (!with_wm) {
      Click(origin->x + 300, origin->y + 400);  // the window has the keyboard
      probe_->WaitUntilPointerFree();
      probe_->Key(XK_Alt_L, true);
      probe_->Key(XK_space, true);
      probe_->Key(XK_space, false);
      probe_->Key(XK_Alt_L, false);
      const std::optional<Window> menu = WaitForPopup(*tip);
      ASSERT_TRUE(menu) << "no system menu";
      EXPECT_EQ(origin->x, probe_->Origin(*menu).value_or(host::Point{}).x);
      probe_->Key(XK_Up, true);  // from the first item round to the last
      probe_->Key(XK_Up, false);
      probe_->Key(XK_Return, true);
      probe_->Key(XK_Return, false);
      ASSERT_TRUE(WaitForDialog(true)) << "no about box";
      probe_->Key(XK_Return, true);
      probe_->Key(XK_Return, false);
      ASSERT_TRUE(WaitForDialog(false)) << "the about box stays";
    }

    // A drag of the background moves the window by the pointer's travel.
    Drag(*window, {origin->x + 300, origin->y + 400}, 40, 30);
    host::Point moved = WaitForOrigin(*window, {origin->x + 40, origin->y + 30});
    EXPECT_EQ(origin->x + 40, moved.x);
    EXPECT_EQ(origin->y + 30, moved.y);
    probe_->WaitUntilPointerFree();

    // Minimise: the window leaves the screen. Mapping it again from outside restores it, and the
    // restored window drags again (it answers the drag only in its normal state).
    Click(moved.x + 737 + 12, moved.y + 3 + 14);
    ASSERT_TRUE(WaitForMapState(*window, IsUnmapped));
    XMapRaised(probe_->dpy(), *window);
    XSync(probe_->dpy(), False);
    ASSERT_TRUE(WaitForMapState(*window, IsViewable));
    EXPECT_TRUE(WaitForPaint(moved.x + 300, moved.y + 400)) << "not painted again";
    // (Away from the screen's edges, which a window manager may make the window stick to.)
    Drag(*window, {moved.x + 300, moved.y + 400}, -20, -10);
    host::Point again = WaitForOrigin(*window, {moved.x - 20, moved.y - 10});
    EXPECT_EQ(moved.x - 20, again.x);
    EXPECT_EQ(moved.y - 10, again.y);
    probe_->WaitUntilPointerFree();

    // The close button ends the program cleanly, with no further report.
    Click(again.x + 765 + 12, again.y + 3 + 14);
    EXPECT_EQ(std::optional<int>(0), demo->WaitExit(5000));
    EXPECT_EQ(ExpectedApplyLine() + "\n" + ExpectedApplyLine() + "\n", demo->Output());
    EXPECT_EQ("", demo->Errors());
  }
};

using DemoSmokeTest = host::test::WithoutWindowManager<DemoFixture>;
using DemoSmokeWmTest = host::test::WithWindowManager<DemoFixture>;

TEST_F(DemoSmokeTest, ApplyDragMinimiseRestoreAndClose) {
  RunScenario(false);
}

TEST_F(DemoSmokeWmTest, ApplyDragMinimiseRestoreAndClose) {
  RunScenario(true);
}

TEST_F(DemoSmokeTest, WithoutDisplaySaysSoOnceAndFails) {
  // No DISPLAY at all, and one that names a server nobody runs.
  for (const std::optional<std::string>& display :
       {std::optional<std::string>(), std::optional<std::string>(":4242")}) {
    SCOPED_TRACE(display.value_or("unset"));
    auto demo = ChildProcess::Start({HALCYRA_DEMO_PATH}, display);
    ASSERT_TRUE(demo);
    const std::optional<int> status = demo->WaitExit(5000);
    ASSERT_TRUE(status);
    EXPECT_NE(0, *status);
    EXPECT_LT(*status, 128) << "ended by a signal";
    const std::string errors = demo->Errors();
    EXPECT_EQ(0u, errors.rfind("halcyra-demo: ", 0)) << errors;
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.size() - 1, errors.find('\n')) << "more than one line: " << errors;
    EXPECT_EQ("", demo->Output());
  }
}

}  // namespace
