// The start-up plumbing the programs share: name, display, printing controller, window system.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "captured_stream.h"
#include "discovery.h"
#include "headless_host.h"
#include "hidapi_backend.h"
#include "hidapi_device.h"
#include "printing_controller.h"
#include "program_name.h"
#include "requests.h"
#include "resource.h"
#include "user.h"
#include "window_system.h"
#include "winuser.h"
#include "x11_display.h"

namespace {

using app::test::CapturedStream;

TEST(ProgramNameTest, FileNamePartOfTheCommand) {
  EXPECT_EQ("halcyra-demo", app::ProgramName("/work/build/bin/halcyra-demo"));
  EXPECT_EQ("halcyra-demo", app::ProgramName("halcyra-demo"));
  EXPECT_EQ("halcyra-demo", app::ProgramName("./bin/halcyra-demo/"));
  EXPECT_EQ("halcyra", app::ProgramName(""));
  EXPECT_EQ("halcyra", app::ProgramName(nullptr));
  EXPECT_EQ("halcyra", app::ProgramName("/"));
}

TEST(X11DisplayTest, UnreachableDisplayGivesOneLineAndNoHost) {
  CapturedStream errors;
  ASSERT_TRUE(errors.get());
  // Nobody serves display 4242 here, nor a display with a malformed name.
  for (const char* name : {":4242", "no-such-host-\x01:0"}) {
    SCOPED_TRACE(name);
    std::unique_ptr<host::X11Host> host = app::OpenX11Display("prog", errors.get(), name);
    EXPECT_EQ(nullptr, host);
  }
  const std::string text = errors.Flushed();
  const auto first = text.find('\n');
  ASSERT_NE(std::string::npos, first) << text;
  EXPECT_EQ(0u, text.rfind("prog: ", 0));
  EXPECT_GT(first, std::string("prog: ").size()) << "the reason is missing";
  const std::string second = text.substr(first + 1);
  EXPECT_EQ(0u, second.rfind("prog: ", 0));
  EXPECT_EQ(second.size() - 1, second.find('\n')) << "one line per failure: " << text;
}

class PrintingControllerTest : public ::testing::Test {
 protected:
  void TearDown() override { hid::SetBackend(nullptr); }
  CapturedStream out_;
};

TEST_F(PrintingControllerTest, FollowsTheSetup) {
  hid::SimulatedSetup setup;
  setup.red = 10;
  setup.green = 20;
  setup.blue = 30;
  app::InstallPrintingController(out_.get(), setup);
  device::DeviceDiscovery discovery;
  ASSERT_TRUE(discovery.FindDevice());
  BYTE in_out = 0;
  const device::Rgb color = device::ReadDeviceColor(discovery.m_hDevice.get(), in_out);
  EXPECT_EQ((device::Rgb{10, 20, 30}), color);
  // The read request is a report the controller received, so it is printed too.
  EXPECT_EQ(0u, out_.Flushed().rfind("00 80 0B 01", 0)) << out_.Flushed();

  hid::SetBackend(nullptr);
  CapturedStream none;
  setup.attached = false;
  app::InstallPrintingController(none.get(), setup);
  device::DeviceDiscovery nothing;
  EXPECT_FALSE(nothing.FindDevice());
  device::ApplyArgbSettings(nothing.m_hDevice.get(), device::LightingSettings{});
  EXPECT_EQ("", none.Flushed());
}

TEST(HidapiDevicesTest, ReplacesWhateverHidSystemWasInstalled) {
  CapturedStream out;
  auto simulated = app::InstallPrintingController(out.get());
  app::InstallHidapiDevices();
  EXPECT_NE(nullptr, dynamic_cast<hid::HidapiBackend*>(hid::InstalledBackend().get()));
  // The simulated controller is out of the picture: no handle reaches it any more.
  device::DeviceDiscovery discovery;
  discovery.FindDevice();
  device::ApplyArgbSettings(discovery.m_hDevice.get(), device::LightingSettings{});
  EXPECT_TRUE(simulated->Reports().empty());
  hid::SetBackend(nullptr);
}

TEST(WindowSystemTest, InstallsResourcesAndHostForItsLifetime) {
  host::HeadlessHost host;
  HWND window = nullptr;
  {
    app::WindowSystem windows(host);
    EXPECT_EQ(&host, user::GetHost());
    HBITMAP skin = ::LoadBitmapW(nullptr, MAKEINTRESOURCEW(251));
    ASSERT_NE(nullptr, skin);
    BITMAP bm{};
    ::GetObjectW(skin, sizeof bm, &bm);
    EXPECT_EQ(800, bm.bmWidth);
    EXPECT_EQ(540, bm.bmHeight);
    ::DeleteObject(skin);
    window = ::CreateWindowExW(0, L"Static", L"left over", WS_POPUP | WS_VISIBLE, 10, 10, 50, 20,
                               nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
  }
  // Gone with the window system: the host may go away now without anything pointing at it.
  EXPECT_EQ(nullptr, user::GetHost());
  EXPECT_FALSE(::IsWindow(window));
}

}  // namespace
