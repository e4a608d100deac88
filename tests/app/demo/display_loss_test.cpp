// halcyra-demo losing its display: one line on stderr, status 1, soon, even from a modal loop.
// GoogleTest before Xlib, whose macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "child_process.h"
#include "demo_program.h"
#include "x11_test_support.h"

namespace {

using app::test::ChildProcess;
using app::test::DemoProgram;
using host::test::Probe;
using host::test::XvfbServer;

constexpr int kWidth = 800;  // the skin's size
constexpr int kHeight = 540;
// However the display went, the program is gone well within this.
constexpr int kPromptlyMs = 3000;

void Pause(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

class DisplayLossTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!host::test::XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
    std::string why;
    server_ = XvfbServer::Start(&why);
    ASSERT_TRUE(server_) << why;
    probe_ = std::make_unique<Probe>(server_->display());
    ASSERT_TRUE(probe_->dpy());
    ASSERT_FALSE(program_.path().empty()) << program_.error();
    demo_ = ChildProcess::Start({program_.path()}, server_->display());
    ASSERT_TRUE(demo_);
    main_ = WaitForWindow(
        [](const XWindowAttributes& a) { return a.width == kWidth && a.height == kHeight; });
    ASSERT_TRUE(main_) << "no window; stderr: " << demo_->Errors();
  }

  // A viewable top-level window of the program that `match` accepts.
  std::optional<Window> WaitForWindow(bool (*match)(const XWindowAttributes&)) {
    for (int waited = 0; waited < 5000; waited += 10) {
      Window root_return, parent;
      Window* kids = nullptr;
      unsigned n = 0;
      std::optional<Window> found;
      if (XQueryTree(probe_->dpy(), probe_->root(), &root_return, &parent, &kids, &n)) {
        for (unsigned i = 0; i < n && !found; ++i) {
          auto a = probe_->Attributes(kids[i]);
          if (a && a->map_state == IsViewable && !a->override_redirect && match(*a)) {
            found = kids[i];
          }
        }
      }
      if (kids) XFree(kids);
      if (found) return found;
      Pause(10);
    }
    return std::nullopt;
  }

  void ExpectEndedForLostDisplay() {
    const auto start = std::chrono::steady_clock::now();
    const std::optional<int> status = demo_->WaitExit(kPromptlyMs);
    ASSERT_TRUE(status) << "still running after " << kPromptlyMs << " ms (hung or looping)";
    EXPECT_EQ(1, *status) << "128 + n is signal n";
    EXPECT_EQ(
        program_.name() + ": lost the connection to the X display \"" + server_->display() + "\"\n",
        demo_->Errors());
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::milliseconds(kPromptlyMs));
  }

  DemoProgram program_;
  std::unique_ptr<XvfbServer> server_;
  std::unique_ptr<Probe> probe_;
  std::unique_ptr<ChildProcess> demo_;
  std::optional<Window> main_;
};

TEST_F(DisplayLossTest, TheServerEndingEndsTheProgramWithOneLineAndStatusOne) {
  probe_.reset();  // the probe's own connection goes with the server
  server_->Kill();
  ExpectEndedForLostDisplay();
}

TEST_F(DisplayLossTest, ABrokenConnectionEndsTheProgramFromInsideTheAboutBox) {
  // Alt+Space and the system menu's last item open the about box, whose modal loop then runs.
  probe_->MovePointer(300, 400);
  probe_->Button(true);
  probe_->Button(false);
  probe_->WaitUntilPointerFree();
  probe_->Key(XK_Alt_L, true);
  probe_->Key(XK_space, true);
  probe_->Key(XK_space, false);
  probe_->Key(XK_Alt_L, false);
  Pause(200);
  probe_->Key(XK_Up, true);
  probe_->Key(XK_Up, false);
  probe_->Key(XK_Return, true);
  probe_->Key(XK_Return, false);
  ASSERT_TRUE(WaitForWindow([](const XWindowAttributes& a) {
    return a.width != kWidth || a.height != kHeight;
  })) << "no about box";

  // The server closes the program's connection and carries on.
  XKillClient(probe_->dpy(), *main_);
  XSync(probe_->dpy(), False);
  ExpectEndedForLostDisplay();
}

}  // namespace
