// A test suite on its own Xvfb: started once per suite (with or without a window manager), one
// host and one probe connection per test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/host/x11/x11_host.h"
#include "tests/host/x11/x11_test_support.h"

namespace host::test {

class X11Fixture : public ::testing::Test {
 protected:
  static void StartServer(bool with_wm) {
    server_.reset();
    start_error_.clear();
    no_wm_ = false;
    if (!XvfbInstalled()) return;
    server_ = XvfbServer::Start(&start_error_);
    if (server_ && with_wm && !server_->StartWindowManager(&start_error_)) {
      server_.reset();
      no_wm_ = start_error_ == "openbox is not installed";
    }
  }
  static void StopServer() { server_.reset(); }

  void SetUp() override {
    if (!XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
    if (no_wm_) GTEST_SKIP() << start_error_;
    ASSERT_TRUE(server_) << start_error_;
    std::string error;
    host_ = X11Host::Open(server_->display(), &error);
    ASSERT_TRUE(host_) << error;
    probe_ = std::make_unique<Probe>(server_->display());
    ASSERT_TRUE(probe_->dpy());
  }
  void TearDown() override {
    host_.reset();
    probe_.reset();
  }

  // A shown window filled with one colour.
  NativeWindow ShowSolid(Host& host, WindowDesc desc, std::uint32_t color, bool activate = true) {
    NativeWindow w = host.CreateWindow(desc);
    const int width = desc.rect.Width(), height = desc.rect.Height();
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height, color);
    host.Show(w, activate);
    host.Present(w, Framebuffer{pixels.data(), width, height, width}, {Rect{0, 0, width, height}});
    host.CursorPos();  // a round trip: the server has done all of the above
    return w;
  }
  static WindowDesc Desc(Rect r) {
    WindowDesc d;
    d.rect = r;
    d.app_window = true;
    return d;
  }

  static inline std::unique_ptr<XvfbServer> server_;
  static inline std::string start_error_;
  static inline bool no_wm_ = false;
  std::unique_ptr<X11Host> host_;
  std::unique_ptr<Probe> probe_;
};

class X11Test : public X11Fixture {
 protected:
  static void SetUpTestSuite() { StartServer(false); }
  static void TearDownTestSuite() { StopServer(); }
};

class X11WmTest : public X11Fixture {
 protected:
  static void SetUpTestSuite() { StartServer(true); }
  static void TearDownTestSuite() { StopServer(); }
};

}  // namespace host::test
