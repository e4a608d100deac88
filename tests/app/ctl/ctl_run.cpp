#include "ctl_run.h"

#include <cstdio>
#include <cstdlib>

#include "ctl_commands.h"

namespace ctl::test {

Outcome RunCtl(const std::vector<std::string_view>& words) {
  char* text[2] = {nullptr, nullptr};
  std::size_t size[2] = {0, 0};
  std::FILE* out = open_memstream(&text[0], &size[0]);
  std::FILE* err = open_memstream(&text[1], &size[1]);
  Outcome outcome;
  outcome.status = ctl::Main(words, out, err);
  std::fclose(out);
  std::fclose(err);
  outcome.out.assign(text[0], size[0]);
  outcome.err.assign(text[1], size[1]);
  std::free(text[0]);
  std::free(text[1]);
  return outcome;
}

}  // namespace ctl::test
