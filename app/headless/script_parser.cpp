#include "script.h"

#include <cstdint>
#include <utility>

#include "winuser.h"

namespace script {
namespace {

struct KeyName {
  std::string_view name;
  unsigned vk;
};

constexpr KeyName kKeys[] = {
    {"Escape", VK_ESCAPE}, {"Enter", VK_RETURN}, {"Tab", VK_TAB},      {"Space", VK_SPACE},
    {"Left", VK_LEFT},     {"Right", VK_RIGHT},  {"Up", VK_UP},        {"Down", VK_DOWN},
    {"Home", VK_HOME},     {"End", VK_END},      {"PageUp", VK_PRIOR}, {"PageDown", VK_NEXT},
};

std::string KnownKeys() {
  std::string out;
  for (const KeyName& k : kKeys) {
    if (!out.empty()) out += ' ';
    out += k.name;
  }
  return out;
}

// A word as it appears in a message: quoted, with anything unprintable shown as \xHH so that a
// stray control byte in a script cannot garble the terminal it is reported on.
std::string Shown(std::string_view word) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char ch : word) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F || c == '"' || c == '\\') {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
    if (pos > start) words.push_back(line.substr(start, pos - start));
  }
  return words;
}

// Reads the words of one line; the first thing found wrong is kept in `error`, and every check
// after it fails at once, so a line is checked as one chain of `&&`.
class LineReader {
 public:
  LineReader(std::vector<std::string_view> words, int line)
      : words_(std::move(words)), line_(line) {}

  const std::vector<std::string_view>& Words() const { return words_; }
  int Line() const { return line_; }
  const std::string& Error() const { return error_; }

  bool Fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
    return false;
  }

  // Exactly `count` arguments after the first `first` words.
  bool Arity(std::string_view what, std::size_t first, std::size_t count, std::string_view usage) {
    const std::size_t given = words_.size() - first;
    if (given < count) {
      return Fail(std::string(what) + ": missing argument (usage: " + std::string(usage) + ")");
    }
    if (given > count) {
      return Fail(std::string(what) + ": extra argument " + Shown(words_[first + count]) +
                  " (usage: " + std::string(usage) + ")");
    }
    return true;
  }

  // Word `at` as a whole decimal number, optionally negative, from `min` to `max`.
  bool Number(std::string_view what, std::string_view name, std::size_t at, int min, int max,
              int& out, std::string_view range_word = "out of range") {
    const std::string_view word = words_[at];
    const std::string not_a_number = std::string(what) + ": " + Shown(word) + " is not a number";
    const bool negative = !word.empty() && word[0] == '-';
    std::size_t pos = negative ? 1 : 0;
    if (pos == word.size()) return Fail(not_a_number);
    std::int64_t value = 0;
    for (; pos < word.size(); ++pos) {
      const char c = word[pos];
      if (c < '0' || c > '9') return Fail(not_a_number);
      // Saturate: a number too long to hold is simply out of range.
      if (value < (INT64_C(1) << 40)) value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value < min || value > max) {
      return Fail(std::string(what) + ": " + std::string(name) + " " + std::string(word) + " is " +
                  std::string(range_word) + " (" + std::to_string(min) + " to " +
                  std::to_string(max) + ")");
    }
    out = static_cast<int>(value);
    return true;
  }

  // Words `at` and `at + 1` as a point of the screen.
  bool Point(std::string_view what, std::size_t at, std::string_view suffix, int& x, int& y) {
    return Number(what, "X" + std::string(suffix), at, 0, kScreenWidth - 1, x, "off the screen") &&
           Number(what, "Y" + std::string(suffix), at + 1, 0, kScreenHeight - 1, y,
                  "off the screen");
  }

  bool Byte(std::string_view what, std::string_view name, std::size_t at, BYTE& out) {
    int value = 0;
    if (!Number(what, name, at, 0, 255, value)) return false;
    out = static_cast<BYTE>(value);
    return true;
  }

 private:
  std::vector<std::string_view> words_;
  int line_ = 0;
  std::string error_;
};

bool DeviceLine(LineReader& in, hid::SimulatedSetup& device) {
  const auto& words = in.Words();
  if (words.size() < 2) {
    return in.Fail(
        "device: missing argument (usage: device absent | color R G B | qty N | silent)");
  }
  const std::string_view what = words[1];
  hid::SimulatedSetup next = device;
  bool ok = false;
  if (what == "absent") {
    ok = in.Arity("device absent", 2, 0, "device absent");
    next.attached = false;
  } else if (what == "silent") {
    ok = in.Arity("device silent", 2, 0, "device silent");
    next.silent = true;
  } else if (what == "qty") {
    ok = in.Arity("device qty", 2, 1, "device qty N") &&
         in.Byte("device qty", "N", 2, next.led_count);
  } else if (what == "color") {
    ok = in.Arity("device color", 2, 3, "device color R G B") &&
         in.Byte("device color", "R", 2, next.red) && in.Byte("device color", "G", 3, next.green) &&
         in.Byte("device color", "B", 4, next.blue);
  } else {
    return in.Fail("device: unknown setting " + Shown(what) +
                   " (known: absent, color, qty, silent)");
  }
  if (ok) device = next;
  return ok;
}

struct VerbName {
  std::string_view name;
  Verb verb;
  std::string_view usage;
};

constexpr VerbName kVerbs[] = {
    {"move", Verb::kMove, "move X Y"},
    {"down", Verb::kDown, "down"},
    {"up", Verb::kUp, "up"},
    {"click", Verb::kClick, "click X Y"},
    {"drag", Verb::kDrag, "drag X1 Y1 X2 Y2"},
    {"key", Verb::kKey, "key NAME"},
    {"wait", Verb::kWait, "wait MS"},
    {"state", Verb::kState, "state"},
    {"pixel", Verb::kPixel, "pixel X Y"},
    {"windows", Verb::kWindows, "windows"},
    {"screenshot", Verb::kScreenshot, "screenshot FILE"},
};

bool ProgramLine(LineReader& in, const VerbName& v, Command& c) {
  c.verb = v.verb;
  c.line = in.Line();
  const std::string_view what = v.name;
  switch (v.verb) {
    case Verb::kMove:
    case Verb::kClick:
    case Verb::kPixel:
      return in.Arity(what, 1, 2, v.usage) && in.Point(what, 1, "", c.args[0], c.args[1]);
    case Verb::kDrag:
      return in.Arity(what, 1, 4, v.usage) && in.Point(what, 1, "1", c.args[0], c.args[1]) &&
             in.Point(what, 3, "2", c.args[2], c.args[3]);
    case Verb::kKey: {
      if (!in.Arity(what, 1, 1, v.usage)) return false;
      const std::optional<unsigned> vk = KeyCode(in.Words()[1]);
      if (!vk) {
        return in.Fail("key: unknown key name " + Shown(in.Words()[1]) + " (known: " + KnownKeys() +
                       ")");
      }
      c.key = *vk;
      return true;
    }
    case Verb::kWait:
      return in.Arity(what, 1, 1, v.usage) && in.Number(what, "MS", 1, 0, kMaxWaitMs, c.args[0]);
    case Verb::kScreenshot:
      if (!in.Arity(what, 1, 1, v.usage)) return false;
      c.file = std::string(in.Words()[1]);
      return true;
    case Verb::kDown:
    case Verb::kUp:
    case Verb::kState:
    case Verb::kWindows:
      return in.Arity(what, 1, 0, v.usage);
  }
  return in.Fail(std::string(what) + ": not handled");
}

// False, with the reader's error set, when the line is malformed.
bool ParseLine(std::string_view text, int line, Script& script, std::string& error) {
  if (const std::size_t hash = text.find('#'); hash != std::string_view::npos) {
    text = text.substr(0, hash);
  }
  LineReader in(SplitWords(text), line);
  const auto& words = in.Words();
  bool ok = true;
  if (words.empty()) return true;
  const std::string_view verb = words[0];
  if (verb == "device") {
    ok = script.start ? in.Fail("device: must come before start") : DeviceLine(in, script.device);
  } else if (verb == "start") {
    ok = script.start ? in.Fail("start: the program is already started")
                      : in.Arity("start", 1, 0, "start");
    if (ok) script.start = true;
  } else {
    const VerbName* found = nullptr;
    for (const VerbName& v : kVerbs) {
      if (v.name == verb) found = &v;
    }
    if (found == nullptr) {
      ok = in.Fail("unknown command " + Shown(verb));
    } else if (!script.start) {
      ok = in.Fail(std::string(verb) + ": needs the program, which runs only after start");
    } else {
      Command c;
      ok = ProgramLine(in, *found, c);
      if (ok) script.commands.push_back(std::move(c));
    }
  }
  if (!ok) error = in.Error();
  return ok;
}

}  // namespace

std::optional<unsigned> KeyCode(std::string_view name) {
  for (const KeyName& k : kKeys) {
    if (k.name == name) return k.vk;
  }
  return std::nullopt;
}

ParseResult ParseScript(std::string_view text) {
  ParseResult result;
  int line = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view current = text.substr(pos, end - pos);
    if (!current.empty() && current.back() == '\r') current.remove_suffix(1);
    pos = end + 1;
    ++line;
    std::string error;
    if (!ParseLine(current, line, result.script, error)) {
      result.error = ScriptError{line, std::move(error)};
      return result;
    }
  }
  return result;
}

}  // namespace script
