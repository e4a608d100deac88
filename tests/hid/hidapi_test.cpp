// The hidapi backend on a machine without the controller, and the report descriptor it reads from
// sysfs where hidapi itself cannot give one.
#include "platform/hid/hidapi/hidapi_backend.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/hid/winhid.h"

namespace {

namespace fs = std::filesystem;

bool MachineHasHidraw() {
  std::error_code ec;
  return fs::exists("/sys/class/hidraw", ec) && !fs::is_empty("/sys/class/hidraw", ec);
}

TEST(HidapiBackend, EnumerationListsEachPresentInterfaceOnce) {
  hid::HidapiBackend backend;
  const auto list = backend.Enumerate();
  if (!MachineHasHidraw()) {
    EXPECT_TRUE(list.empty());
  }
  std::set<std::string> paths;
  for (const auto& info : list) {
    EXPECT_FALSE(info.path.empty());
    EXPECT_TRUE(paths.insert(info.path).second) << info.path;
  }
}

TEST(HidapiBackend, OpeningAPathThatDoesNotExistFails) {
  hid::HidapiBackend backend;
  EXPECT_FALSE(backend.Open("/dev/hidraw-that-does-not-exist"));
  EXPECT_FALSE(backend.Open(""));
  // Files and devices that open but are not hidraw nodes must never reach hidapi.
  EXPECT_FALSE(backend.Open("/etc/hostname"));
  EXPECT_FALSE(backend.Open("/dev/null"));
  EXPECT_FALSE(backend.Open("/dev"));
}

TEST(HidapiBackend, OnlyHidrawCharacterDevicesCount) {
  EXPECT_FALSE(hid::IsHidrawDevice("/dev/null"));
  EXPECT_FALSE(hid::IsHidrawDevice("/etc/hostname"));
  EXPECT_FALSE(hid::IsHidrawDevice("/dev/hidraw-that-does-not-exist"));
  EXPECT_FALSE(hid::IsHidrawDevice(""));
}

TEST(HidapiBackend, WindowsCallsOverItFailCleanly) {
  hid::SetBackend(std::make_shared<hid::HidapiBackend>());
  EXPECT_EQ(CreateFileW(L"/dev/hidraw-that-does-not-exist", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

  GUID guid{};
  HidD_GetHidGuid(&guid);
  HDEVINFO set =
      SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  ASSERT_NE(set, INVALID_HANDLE_VALUE);
  SP_DEVICE_INTERFACE_DATA data{};
  data.cbSize = sizeof(data);
  if (!MachineHasHidraw()) {
    EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &guid, 0, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
  }
  EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
  hid::SetBackend(nullptr);
}

class SysfsDescriptor : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("halcyra-hidraw-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  void Publish(const std::string& node, const std::string& bytes) {
    fs::create_directories(root_ / node / "device");
    std::ofstream(root_ / node / "device" / "report_descriptor", std::ios::binary) << bytes;
  }

  fs::path root_;
};

TEST_F(SysfsDescriptor, ReadsTheNodesDescriptorBytes) {
  const std::string bytes("\x06\x00\xFF\x09\x01\xA1\x01\x00\xC0", 9);  // a NUL inside, too
  Publish("hidraw3", bytes);
  const auto got = hid::ReadSysfsReportDescriptor("/dev/hidraw3", root_);
  ASSERT_TRUE(got);
  EXPECT_EQ(std::string(got->begin(), got->end()), bytes);
  EXPECT_FALSE(hid::ReadSysfsReportDescriptor("/dev/hidraw4", root_)) << "another node";
}

TEST_F(SysfsDescriptor, RejectsPathsThatAreNotHidrawNodes) {
  Publish("hidraw", "\x01");
  Publish("hidrawx", "\x01");
  EXPECT_FALSE(hid::ReadSysfsReportDescriptor("/dev/hidraw", root_));
  EXPECT_FALSE(hid::ReadSysfsReportDescriptor("/dev/hidrawx", root_));
  EXPECT_FALSE(hid::ReadSysfsReportDescriptor("/dev/hidraw1/..", root_));
  EXPECT_FALSE(hid::ReadSysfsReportDescriptor("", root_));
}

TEST_F(SysfsDescriptor, EmptyOrOversizedDescriptorsFail) {
  Publish("hidraw0", "");
  Publish("hidraw1", std::string(4097, '\x01'));
  Publish("hidraw2", std::string(4096, '\x01'));
  EXPECT_FALSE(hid::ReadSysfsReportDescriptor("/dev/hidraw0", root_));
  EXPECT_FALSE(hid::ReadSysfsReportDescriptor("/dev/hidraw1", root_));
  const auto largest = hid::ReadSysfsReportDescriptor("/dev/hidraw2", root_);
  ASSERT_TRUE(largest);
  EXPECT_EQ(largest->size(), 4096u);
}

}  // namespace

namespace {

TEST_F(SysfsDescriptor, CharacterDeviceCountsWhenItsSubsystemIsHidraw) {
  // /dev/null is character device 1:3; a fake sysfs files it under hidraw, then under mem.
  fs::create_directories(root_ / "1:3");
  fs::create_symlink("../../class/hidraw", root_ / "1:3" / "subsystem");
  EXPECT_TRUE(hid::IsHidrawDevice("/dev/null", root_));
  EXPECT_FALSE(hid::IsHidrawDevice("/etc/hostname", root_)) << "not a character device";
  fs::remove(root_ / "1:3" / "subsystem");
  fs::create_symlink("../../class/mem", root_ / "1:3" / "subsystem");
  EXPECT_FALSE(hid::IsHidrawDevice("/dev/null", root_));
}

}  // namespace
