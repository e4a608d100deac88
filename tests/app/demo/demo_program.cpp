#include "demo_program.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace app::test {

namespace fs = std::filesystem;

DemoProgram::DemoProgram() {
  static int made = 0;
  const fs::path copy = fs::path(HALCYRA_SCRATCH_DIR) /
                        ("halcyra-demo-" + std::to_string(getpid()) + "-" + std::to_string(++made));
  std::error_code ignored;
  fs::remove(copy, ignored);
  std::error_code error;
  fs::create_hard_link(HALCYRA_DEMO_PATH, copy, error);
  if (error) fs::copy_file(HALCYRA_DEMO_PATH, copy, error);
  if (error) {
    error_ = "cannot put the demo at " + copy.string() + ": " + error.message();
    return;
  }
  path_ = copy.string();
}

DemoProgram::~DemoProgram() {
  std::error_code ignored;
  if (!path_.empty()) fs::remove(path_, ignored);
}

std::string DemoProgram::name() const {
  return fs::path(path_).filename().string();
}

}  // namespace app::test
