#include "program_name.h"

#include <string_view>

namespace app {

std::string ProgramName(const char* argv0) {
  std::string_view path = argv0 != nullptr ? argv0 : "";
  while (!path.empty() && path.back() == '/') path.remove_suffix(1);
  const auto slash = path.rfind('/');
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  return path.empty() ? std::string("halcyra") : std::string(path);
}

}  // namespace app
