// An error trap counts only its own requests' errors and costs no needless round trip.
// gtest before Xlib: Xlib defines None and Bool as macros.
#include <gtest/gtest.h>

#include "x11_errors.h"
#include "x11_fixture.h"

namespace host::test {
namespace {

class ErrorTrapTest : public X11Test {
 protected:
  void SetUp() override {
    X11Test::SetUp();
    if (!Ready()) return;
    x11::InstallErrorHandler();
    dpy_ = XOpenDisplay(server_->display().c_str());
    ASSERT_NE(nullptr, dpy_);
  }
  void TearDown() override {
    if (dpy_) XCloseDisplay(dpy_);
    X11Test::TearDown();
  }

  static constexpr Window kGone = 0x7FFFFFF0;  // no such window
  Display* dpy_ = nullptr;
};

TEST_F(ErrorTrapTest, CountsOnlyTheErrorsOfItsOwnRequests) {
  // A request made before the trap fails while the trap is open: not the trap's error.
  XMapWindow(dpy_, kGone);
  {
    x11::ErrorTrap trap(dpy_);
    XSync(dpy_, False);
    EXPECT_EQ(0, trap.Finish());
  }
  // One made inside it, answered or not, is.
  {
    x11::ErrorTrap trap(dpy_);
    XMapWindow(dpy_, kGone);
    EXPECT_EQ(BadWindow, trap.Finish());
    EXPECT_EQ(BadWindow, trap.Finish()) << "the answer stays";
  }
  {
    x11::ErrorTrap outer(dpy_);
    {
      x11::ErrorTrap inner(dpy_);
      XWindowAttributes a;
      EXPECT_EQ(0, XGetWindowAttributes(dpy_, kGone, &a));
      EXPECT_EQ(BadWindow, inner.Finish());
    }
    EXPECT_EQ(BadWindow, outer.Finish()) << "the outer trap covers the inner one's requests";
  }
  x11::ErrorTrap clean(dpy_);
  XNoOp(dpy_);
  EXPECT_EQ(0, clean.Finish());
}

TEST_F(ErrorTrapTest, AnAnsweredRequestNeedsNoFurtherRoundTrip) {
  x11::ErrorTrap trap(dpy_);
  XWindowAttributes a;
  EXPECT_NE(0, XGetWindowAttributes(dpy_, DefaultRootWindow(dpy_), &a));
  const unsigned long next = NextRequest(dpy_);
  EXPECT_EQ(0, trap.Finish());
  EXPECT_EQ(next, NextRequest(dpy_)) << "Finish sent a request";

  // An unanswered one is waited for.
  x11::ErrorTrap again(dpy_);
  XNoOp(dpy_);
  EXPECT_EQ(0, again.Finish());
  EXPECT_EQ(LastKnownRequestProcessed(dpy_) + 1, NextRequest(dpy_));
}

}  // namespace
}  // namespace host::test
