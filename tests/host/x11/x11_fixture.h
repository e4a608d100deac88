// A suite on its own Xvfb (with or without a window manager); a host and a probe per test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "x11_host.h"
#include "x11_test_support.h"
#include "xvfb_suite.h"

namespace host::test {

class X11Fixture : public XvfbSuite {
 protected:
  void SetUp() override {
    XvfbSuite::SetUp();
    if (!Ready()) return;
    std::string error;
    host_ = X11Host::Open(server_->display(), &error);
    ASSERT_TRUE(host_) << error;
  }
  void TearDown() override {
    host_.reset();
    XvfbSuite::TearDown();
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

  std::unique_ptr<X11Host> host_;
};

using X11Test = WithoutWindowManager<X11Fixture>;
using X11WmTest = WithWindowManager<X11Fixture>;

}  // namespace host::test
