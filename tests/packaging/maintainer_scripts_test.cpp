// The package's scripts reload udev's rules and re-apply them to the controller's node only, so
// access changes without a replug; run on a fake sysfs with a udevadm that logs its calls.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class MaintainerScripts : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("halcyra-scripts-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "bin");
    std::ofstream(root_ / "bin" / "udevadm")
        << "#!/bin/sh\necho \"$*\" >> \"" + (root_ / "calls").string() + "\"\n";
    fs::permissions(root_ / "bin" / "udevadm", fs::perms::owner_all);
  }
  void TearDown() override { fs::remove_all(root_); }

  // A hidraw node whose HID device has the given bus, vendor and product.
  void Node(const std::string& name, const std::string& hid_id) {
    const fs::path device = root_ / "sys" / "class" / "hidraw" / name / "device";
    fs::create_directories(device);
    std::ofstream(device / "uevent")
        << "DRIVER=hid-generic\nHID_ID=" << hid_id << "\nHID_NAME=Some device\n";
  }

  // Runs packaging/debian/<script> with `argument`; returns the udevadm calls, one a line.
  std::string Run(const std::string& script, const std::string& argument) {
    fs::remove(root_ / "calls");
    const std::string command = "HALCYRA_SYSFS='" + (root_ / "sys").string() + "' PATH='" +
                                (root_ / "bin").string() + ":/usr/bin:/bin' sh '" +
                                HALCYRA_SOURCE_DIR "/packaging/debian/" + script + "' " + argument;
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    std::ifstream calls(root_ / "calls");
    std::ostringstream text;
    text << calls.rdbuf();
    return text.str();
  }

  std::string NodePath(const std::string& name) const {
    return (root_ / "sys" / "class" / "hidraw" / name).string();
  }

  fs::path root_;
};

TEST_F(MaintainerScripts, ReapplyTheRuleToTheControllersNodeOnly) {
  Node("hidraw0", "0003:0000046D:0000C52B");  // a mouse receiver
  Node("hidraw1", "0003:00001A2C:00001519");  // the controller
  Node("hidraw2", "0005:00001A2C:00001519");  // the same numbers over Bluetooth: not ours
  Node("hidraw3", "0003:00001a2c:00001519");  // the controller again, written in lower case
  const std::string expected = "control --reload-rules\ntrigger --action=change " +
                               NodePath("hidraw1") + "\ntrigger --action=change " +
                               NodePath("hidraw3") + "\n";
  EXPECT_EQ(Run("postinst", "configure"), expected);
  EXPECT_EQ(Run("postrm", "remove"), expected);
  EXPECT_EQ(Run("postrm", "purge"), expected);
  // Steps where the rule has not changed leave udev alone.
  EXPECT_EQ(Run("postrm", "upgrade"), "");
  EXPECT_EQ(Run("postinst", "abort-upgrade"), "");
}

TEST_F(MaintainerScripts, WithoutHidrawNodesOnlyTheRulesAreReloaded) {
  EXPECT_EQ(Run("postinst", "configure"), "control --reload-rules\n");
  EXPECT_EQ(Run("postrm", "purge"), "control --reload-rules\n");
}

}  // namespace
