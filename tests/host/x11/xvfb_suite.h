// A suite on its own Xvfb, with or without a window manager, and a probe client per test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "x11_test_support.h"

namespace host::test {

class XvfbSuite : public ::testing::Test {
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

  // Skips when Xvfb (or openbox for a WM suite) is missing; any other start failure fails.
  void SetUp() override {
    if (!XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
    if (no_wm_) GTEST_SKIP() << start_error_;
    ASSERT_TRUE(server_) << start_error_;
    probe_ = std::make_unique<Probe>(server_->display());
    ASSERT_TRUE(probe_->dpy());
  }
  void TearDown() override { probe_.reset(); }
  bool Ready() const { return !IsSkipped() && !HasFatalFailure(); }

  static inline std::unique_ptr<XvfbServer> server_;
  static inline std::string start_error_;
  static inline bool no_wm_ = false;
  std::unique_ptr<Probe> probe_;
};

// The suite of `Fixture` without, and with, a window manager.
template <typename Fixture>
class WithoutWindowManager : public Fixture {
 protected:
  static void SetUpTestSuite() { Fixture::StartServer(false); }
  static void TearDownTestSuite() { Fixture::StopServer(); }
};
template <typename Fixture>
class WithWindowManager : public Fixture {
 protected:
  static void SetUpTestSuite() { Fixture::StartServer(true); }
  static void TearDownTestSuite() { Fixture::StopServer(); }
};

}  // namespace host::test
