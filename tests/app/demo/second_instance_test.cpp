// A second start shows nothing, ends, and brings the first forward with its open dialog on top.
#include "demo_desktop.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace app::test {
namespace {

// Points of the main window's client area.
constexpr host::Point kMinimize = {749, 17};
constexpr host::Point kLightsQtyArrow = {537, 48};
constexpr host::Point kBackground = {300, 150};

class SecondStart : public DemoDesktop {
 protected:
  void StartFirst() {
    first_ = StartDemo();
    ASSERT_TRUE(first_);
    // Its two start-up requests (colour, lights quantity) come before the window shows.
    ASSERT_TRUE(first_->ReadLine(kTimeoutMs)) << first_->Errors();
    ASSERT_TRUE(first_->ReadLine(kTimeoutMs)) << first_->Errors();
    const std::optional<DesktopWindow> main = WaitForMainWindow(*first_);
    ASSERT_TRUE(main) << first_->Errors();
    main_ = *main;
  }

  bool MainShown() {
    const std::optional<DesktopWindow> main = MainWindowOf(first_->pid());
    return main && main->viewable;
  }

  // Starts the program again: it ends at once and quietly, having shown and sent nothing.
  void StartSecond() {
    TakeMapped();
    std::unique_ptr<ChildProcess> second = StartDemo();
    ASSERT_TRUE(second);
    EXPECT_EQ(std::optional<int>(0), second->WaitExit(kTimeoutMs));
    EXPECT_EQ("", second->Output());
    EXPECT_EQ("", second->Errors());
    // Its windows went with it: one it had shown would be among the mapped ones and gone now.
    for (Window w : TakeMapped()) {
      EXPECT_TRUE(Exists(w)) << "the second instance showed a window";
    }
  }

  // A window of another program over the whole screen, with the keyboard.
  Window CoverTheScreen() {
    Display* dpy = probe_->dpy();
    const Window cover = XCreateSimpleWindow(dpy, probe_->root(), 0, 0, 1280, 800, 0, 0, 0x808080);
    XMapRaised(dpy, cover);
    XSync(dpy, False);
    EXPECT_TRUE(WaitUntil([&] {
      XWindowAttributes a;
      return XGetWindowAttributes(dpy, cover, &a) && a.map_state == IsViewable;
    }));
    XSetInputFocus(dpy, cover, RevertToParent, CurrentTime);
    XSync(dpy, False);
    EXPECT_EQ(cover, WindowInFront());
    return cover;
  }

  // Waits until `expected` is the window in front and has the keyboard.
  ::testing::AssertionResult InFrontWithKeyboard(Window expected) {
    if (WaitUntil([&] { return WindowInFront() == expected && Focus() == expected; })) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "in front: " << WindowInFront()
                                         << ", keyboard: " << Focus() << ", expected: " << expected;
  }

  // Minimised by the skin's button, the window comes back in front, painted, with the keyboard.
  void RestoresTheMinimisedFirst() {
    StartFirst();
    ASSERT_FALSE(HasFatalFailure());
    Click(On(main_, kMinimize));
    MovePointer({0, 0});
    ASSERT_TRUE(WaitUntil([&] { return !MainShown(); })) << "not minimised";

    StartSecond();
    ASSERT_TRUE(WaitUntil([&] { return MainShown(); })) << "not restored";
    EXPECT_TRUE(InFrontWithKeyboard(main_.id));
    const std::optional<DesktopWindow> main = MainWindowOf(first_->pid());
    ASSERT_TRUE(main);
    EXPECT_TRUE(WaitUntil([&] {
      return probe_->PixelAt(On(*main, kBackground).x, On(*main, kBackground).y) != kRootColor;
    })) << "not painted again";
    // Nothing was sent on the way.
    EXPECT_FALSE(first_->ReadLine(0));
  }

  // A second start brings the main window forward over a covering window, `dialog` in front.
  void BringsTheDialogInFront(const DesktopWindow& dialog, unsigned long closing_key) {
    const Window cover = CoverTheScreen();
    StartSecond();
    EXPECT_TRUE(InFrontWithKeyboard(dialog.id));
    EXPECT_LT(StackDepth(main_.frame), StackDepth(cover)) << "the main window stays behind";
    EXPECT_LT(StackDepth(dialog.frame), StackDepth(main_.frame));

    Key(closing_key);
    EXPECT_TRUE(WaitUntil([&] { return !DialogOf(first_->pid()); })) << "the dialog stays";
    EXPECT_TRUE(MainShown());
    EXPECT_FALSE(first_->ReadLine(0)) << "closing the dialog sent a report";
    XDestroyWindow(probe_->dpy(), cover);
  }

  std::unique_ptr<ChildProcess> first_;
  DesktopWindow main_;
};

using SecondStartTest = host::test::WithoutWindowManager<SecondStart>;
using SecondStartWmTest = host::test::WithWindowManager<SecondStart>;

TEST_F(SecondStartTest, RestoresTheMinimisedFirst) {
  RestoresTheMinimisedFirst();
}

TEST_F(SecondStartWmTest, RestoresTheMinimisedFirst) {
  RestoresTheMinimisedFirst();
}

TEST_F(SecondStartTest, BringsTheLightsQuantityDialogInFront) {
  StartFirst();
  ASSERT_FALSE(HasFatalFailure());
  Click(On(main_, kLightsQtyArrow));
  std::optional<DesktopWindow> dialog;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = DialogOf(first_->pid())).has_value(); }));
  // Escape before the slider is touched closes it without a request.
  BringsTheDialogInFront(*dialog, XK_Escape);
}

TEST_F(SecondStartTest, BringsTheAboutBoxInFront) {
  StartFirst();
  ASSERT_FALSE(HasFatalFailure());
  // The system menu's last item; no twin with a window manager, which keeps Alt+Space.
  ASSERT_TRUE(InFrontWithKeyboard(main_.id));
  probe_->Key(XK_Alt_L, true);
  Key(XK_space);
  probe_->Key(XK_Alt_L, false);
  ASSERT_TRUE(WaitUntil([&] {
    for (const DesktopWindow& w : WindowsOf(first_->pid())) {
      if (w.viewable && w.popup && w.rect.Width() > 1) return true;
    }
    return false;
  })) << "no system menu";
  Key(XK_Up);
  Key(XK_Return);
  std::optional<DesktopWindow> about;
  ASSERT_TRUE(WaitUntil([&] { return (about = DialogOf(first_->pid())).has_value(); }));
  // Enter presses its OK button.
  BringsTheDialogInFront(*about, XK_Return);
}

TEST_F(SecondStartWmTest, RestoresTheMinimisedFirstWithItsDialogInFront) {
  StartFirst();
  ASSERT_FALSE(HasFatalFailure());
  Click(On(main_, kLightsQtyArrow));
  std::optional<DesktopWindow> dialog;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = DialogOf(first_->pid())).has_value(); }));
  // The window manager minimises the main window; its dialog goes with it.
  XIconifyWindow(probe_->dpy(), main_.id, DefaultScreen(probe_->dpy()));
  XSync(probe_->dpy(), False);
  ASSERT_TRUE(WaitUntil([&] { return !MainShown() && !DialogOf(first_->pid()); }));

  StartSecond();
  ASSERT_TRUE(WaitUntil([&] { return MainShown(); })) << "not restored";
  EXPECT_TRUE(InFrontWithKeyboard(dialog->id));
  Key(XK_Escape);
  EXPECT_TRUE(WaitUntil([&] { return !DialogOf(first_->pid()); })) << "the dialog stays";
  EXPECT_FALSE(first_->ReadLine(0));
}

}  // namespace
}  // namespace app::test
