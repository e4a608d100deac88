// The hidapi backend here, the guard keeping non-hidraw files from it, sysfs descriptors.
#include "hidapi_backend.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "winhid.h"

namespace {

namespace fs = std::filesystem;

TEST(HidapiBackend, EnumeratesEachInterfaceOnceAndOpensOnlyRealHidrawNodes) {
  auto backend = std::make_shared<hid::HidapiBackend>();
  const auto list = backend->Enumerate();
  std::error_code ec;
  if (fs::is_empty("/sys/class/hidraw", ec) || ec) {
    EXPECT_TRUE(list.empty()) << "no hidraw node, yet interfaces were listed";
  }
  std::set<std::string> paths;
  for (const auto& info : list) {
    EXPECT_TRUE(paths.insert(info.path).second) << info.path;
    EXPECT_TRUE(hid::IsHidrawDevice(info.path)) << info.path;
  }

  // hidapi crashes when handed a file that opens but is no hidraw node: those never reach it.
  for (const char* path : {"/dev/hidraw-that-does-not-exist", "", "/etc/hostname", "/dev/null"}) {
    EXPECT_FALSE(backend->Open(path)) << path;
  }
  hid::SetBackend(backend);
  EXPECT_EQ(CreateFileW(L"/dev/hidraw-that-does-not-exist", GENERIC_READ | GENERIC_WRITE, 3,
                        nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  hid::SetBackend(nullptr);
}

class Sysfs : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("halcyra-sysfs-" + std::to_string(::getpid()) + "-" +
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

TEST_F(Sysfs, CharacterDeviceCountsOnlyWhenItsSubsystemIsHidraw) {
  EXPECT_FALSE(hid::IsHidrawDevice("/dev/null"));
  // /dev/null is character device 1:3; a fake sysfs files it under hidraw, then under mem.
  fs::create_directories(root_ / "1:3");
  fs::create_symlink("../../class/hidraw", root_ / "1:3" / "subsystem");
  EXPECT_TRUE(hid::IsHidrawDevice("/dev/null", root_));
  EXPECT_FALSE(hid::IsHidrawDevice("/etc/hostname", root_)) << "not a character device";
  fs::remove(root_ / "1:3" / "subsystem");
  fs::create_symlink("../../class/mem", root_ / "1:3" / "subsystem");
  EXPECT_FALSE(hid::IsHidrawDevice("/dev/null", root_));
}

TEST_F(Sysfs, DescriptorIsTheNodesFileUpToTheKernelsLimit) {
  const std::string bytes("\x06\x00\xFF\x09\x01\xA1\x01\x00\xC0", 9);  // a NUL inside, too
  Publish("hidraw3", bytes);
  Publish("hidraw0", "");
  Publish("hidraw1", std::string(4097, '\x01'));
  Publish("hidraw2", std::string(4096, '\x01'));
  Publish("hidrawx", "\x01");
  const auto got = hid::ReadSysfsReportDescriptor("/dev/hidraw3", root_);
  ASSERT_TRUE(got);
  EXPECT_EQ(std::string(got->begin(), got->end()), bytes);
  ASSERT_TRUE(hid::ReadSysfsReportDescriptor("/dev/hidraw2", root_));
  for (const char* path : {"/dev/hidraw4", "/dev/hidraw0", "/dev/hidraw1", "/dev/hidrawx",
                           "/dev/hidraw", "/dev/hidraw1/..", ""}) {
    EXPECT_FALSE(hid::ReadSysfsReportDescriptor(path, root_)) << path;
  }
}

// EACCES must read "access denied", not "no such device"; as "nobody": root opens all.
TEST_F(Sysfs, NodeThisUserMayNotOpenIsReportedAsAccessDenied) {
  if (::geteuid() != 0) GTEST_SKIP() << "making a device node and changing user need root";
  // A character device with the numbers of /dev/null, which a fake sysfs files under hidraw.
  fs::create_directories(root_ / "char" / "1:3");
  fs::create_symlink("../../class/hidraw", root_ / "char" / "1:3" / "subsystem");
  const std::string node = (root_ / "hidraw7").string();
  ASSERT_EQ(::mknod(node.c_str(), S_IFCHR | 0600, makedev(1, 3)), 0) << std::strerror(errno);

  EXPECT_EXIT(
      {
        constexpr uid_t kNobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
          std::fprintf(stderr, "cannot become nobody: %s\n", std::strerror(errno));
          std::exit(1);
        }
        // Never hand hidapi a node it could open: a /dev/null look-alike would crash it.
        if (::access(node.c_str(), R_OK | W_OK) == 0) {
          std::fprintf(stderr, "the node is open to nobody\n");
          std::exit(1);
        }
        auto backend = std::make_shared<hid::HidapiBackend>(root_ / "char");
        hid::OpenError error = hid::OpenError::kNone;
        const bool opened = backend->Open(node, &error) != nullptr;
        hid::SetBackend(backend);
        const std::wstring wide(node.begin(), node.end());
        const HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 3, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        std::fprintf(stderr, "opened %d, reason %d, handle valid %d, last error %u\n", opened,
                     static_cast<int>(error), handle != INVALID_HANDLE_VALUE,
                     static_cast<unsigned>(GetLastError()));
        std::exit(0);
      },
      ::testing::ExitedWithCode(0),
      "opened 0, reason " + std::to_string(static_cast<int>(hid::OpenError::kAccessDenied)) +
          ", handle valid 0, last error " + std::to_string(ERROR_ACCESS_DENIED));
}

}  // namespace
