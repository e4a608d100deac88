#include "report_text.h"

namespace hid {

std::string FormatReport(const Report& report) {
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

}  // namespace hid
