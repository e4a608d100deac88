#include "ctl_output.h"

namespace ctl {

void Complain(std::FILE* errors, const std::string& text) {
  std::fprintf(errors, "%s: %s\n", kProgram, text.c_str());
  std::fflush(errors);
}

std::string Hex(const device::Report& report) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(report.size() * 3);
  for (BYTE b : report) {
    if (!text.empty()) text.push_back(' ');
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 0xF]);
  }
  return text;
}

}  // namespace ctl
