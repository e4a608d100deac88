// Runs halcyractl's command module in the test's process and keeps what it printed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ctl::test {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

Outcome RunCtl(const std::vector<std::string_view>& words);

}  // namespace ctl::test
