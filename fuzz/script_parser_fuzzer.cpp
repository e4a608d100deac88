// The headless program's script parser on any text.
#include <cstdint>
#include <string_view>

#include "fuzz_input.h"
#include "script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const script::ParseResult result = script::ParseScript(text);
  if (result.error) {
    fuzz::Check(result.error->line >= 1, "errors name a line");
    fuzz::Check(!result.error->message.empty(), "errors say what is wrong");
    return 0;
  }
  if (!result.script.start) fuzz::Check(result.script.commands.empty(), "no command before start");
  int line = 0;
  for (const script::Command& c : result.script.commands) {
    fuzz::Check(c.line > line, "commands keep their order");
    line = c.line;
    const auto& a = c.args;
    auto on_screen = [](int x, int y) {
      return x >= 0 && x < script::kScreenWidth && y >= 0 && y < script::kScreenHeight;
    };
    switch (c.verb) {
      case script::Verb::kMove:
      case script::Verb::kClick:
      case script::Verb::kPixel:
        fuzz::Check(on_screen(a[0], a[1]), "points lie on the screen");
        break;
      case script::Verb::kDrag:
        fuzz::Check(on_screen(a[0], a[1]) && on_screen(a[2], a[3]), "drags lie on the screen");
        break;
      case script::Verb::kWait:
        fuzz::Check(a[0] >= 0 && a[0] <= script::kMaxWaitMs, "waits are bounded");
        break;
      case script::Verb::kKey:
        fuzz::Check(c.key != 0, "keys have a code");
        break;
      case script::Verb::kScreenshot:
        fuzz::Check(!c.file.empty() && c.file.find_first_of(" \t#\n") == std::string::npos,
                    "a screenshot's file is one word");
        break;
      default:
        break;
    }
  }
  return 0;
}
