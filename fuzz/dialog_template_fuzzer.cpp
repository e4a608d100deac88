// The dialog template parser on any text.
#include <cstdint>
#include <string_view>

#include "dialog_template.h"
#include "fuzz_input.h"

namespace {

void CheckParsed(const user::DialogTemplate& t) {
  fuzz::Check(t.cx >= 0 && t.cx <= 10000 && t.cy >= 0 && t.cy <= 10000, "size in range");
  if (t.has_font) fuzz::Check(t.points > 0 && t.points <= 200, "font size in range");
  for (const auto& c : t.controls) {
    fuzz::Check(c.x >= -10000 && c.x <= 10000 && c.y >= -10000 && c.y <= 10000,
                "control position in range");
    fuzz::Check(c.cx >= 0 && c.cx <= 10000 && c.cy >= 0 && c.cy <= 10000, "control size in range");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto parsed = user::ParseDialogTemplate(text);
  if (parsed) CheckParsed(*parsed);
  return 0;
}
