#include "ctl_output.h"

namespace ctl {

void Complain(std::FILE* errors, const std::string& text) {
  std::fprintf(errors, "%s: %s\n", kProgram, text.c_str());
  std::fflush(errors);
}

}  // namespace ctl
