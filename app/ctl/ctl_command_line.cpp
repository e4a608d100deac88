#include "ctl_command_line.h"

#include <cctype>
#include <charconv>
#include <utility>

#include "report.h"

namespace ctl {
namespace {

// The names are plain ASCII: only their letters fold.
unsigned Folded(unsigned c) {
  return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

template <typename Char>
bool SameName(std::string_view word, const Char* name) {
  std::size_t i = 0;
  for (; name[i] != 0; ++i) {
    if (i == word.size() ||
        Folded(static_cast<unsigned>(name[i])) != Folded(static_cast<unsigned char>(word[i]))) {
      return false;
    }
  }
  return i == word.size();
}

// A whole decimal number from `low` to `high`, nothing else (no sign, no spaces).
std::optional<int> NumberIn(std::string_view word, int low, int high) {
  if (word.empty() || !std::isdigit(static_cast<unsigned char>(word[0]))) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

std::string Quoted(std::string_view word) {
  return "'" + std::string(word) + "'";
}

bool IsOption(std::string_view word) {
  // "-1" is a number out of range, not an option: it gets the message about the range.
  return word.size() > 1 && word[0] == '-' && !std::isdigit(static_cast<unsigned char>(word[1]));
}

// Reads the line word by word; the first fault found is the one reported.
class Parser {
 public:
  explicit Parser(const std::vector<std::string_view>& words) : words_(words) {}

  std::variant<Invocation, UsageError> Parse() {
    for (next_ = 0; next_ < words_.size();) Option(words_[next_++]);
    if (help_ || version_) {
      Invocation only;
      only.command = help_ ? Command::kHelp : Command::kVersion;
      return only;
    }
    if (!fault_) CommandWords();
    if (fault_) return UsageError{*fault_};
    return invocation_;
  }

 private:
  void Fault(std::string message) {
    if (!fault_) fault_ = std::move(message);
  }

  // The word after an option, unless the line ends or an option comes first.
  std::optional<std::string_view> Value() {
    if (next_ == words_.size() || IsOption(words_[next_])) return std::nullopt;
    return words_[next_++];
  }

  void Option(std::string_view word) {
    if (word == "--help" || word == "-h") {
      help_ = true;
    } else if (word == "--version") {
      version_ = true;
    } else if (word == "--dry-run") {
      invocation_.dry_run = true;
    } else if (word == "--device" || word.starts_with("--device=")) {
      std::optional<std::string_view> path = word == "--device" ? Value() : word.substr(9);
      if (!path || path->empty()) return Fault("--device needs a path, such as /dev/hidraw3");
      if (!invocation_.device_path.empty()) return Fault("--device is given twice");
      invocation_.device_path = std::string(*path);
    } else if (word == "--color") {
      ColorOption();
    } else if (word == "--preset") {
      PresetOption();
    } else if (IsOption(word)) {
      Fault("unknown option " + Quoted(word));
    } else {
      positional_.push_back(word);
    }
  }

  void ColorOption() {
    if (color_option_) return Fault("give the colour once, with either --color or --preset");
    color_option_ = true;
    static constexpr const char* kParts[] = {"red", "green", "blue"};
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
      const std::optional<std::string_view> word = Value();
      if (!word) return Fault("--color needs three numbers: red, green and blue, each 0 to 255");
      const std::optional<int> part = NumberIn(*word, 0, 255);
      if (!part) {
        return Fault(std::string("--color: ") + kParts[i] +
                     " must be a whole number from 0 to 255, not " + Quoted(*word));
      }
      parts[i] = *part;
    }
    invocation_.color = 0;
    invocation_.custom = device::Rgb{static_cast<BYTE>(parts[0]), static_cast<BYTE>(parts[1]),
                                     static_cast<BYTE>(parts[2])};
  }

  void PresetOption() {
    if (color_option_) return Fault("give the colour once, with either --color or --preset");
    color_option_ = true;
    const std::optional<std::string_view> word = Value();
    if (!word) return Fault("--preset needs a colour name: " + PresetNames());
    const std::optional<int> preset = PresetByName(*word);
    if (!preset) return Fault("unknown preset " + Quoted(*word) + ": give " + PresetNames());
    invocation_.color = *preset;
  }

  static std::string PresetNames() {
    std::string names;
    for (int color = 1; color <= device::kPresetColorCount; ++color) {
      names += color == 1 ? "" : color == device::kPresetColorCount ? " or " : ", ";
      names += device::PresetName(color);
    }
    return names;
  }

  void CommandWords() {
    if (positional_.empty()) return Fault("no command given");
    const std::string_view name = positional_[0];
    std::size_t arguments = 0;
    if (name == "list") {
      invocation_.command = Command::kList;
    } else if (name == "status") {
      invocation_.command = Command::kStatus;
    } else if (name == "effects") {
      invocation_.command = Command::kEffects;
    } else if (name == "effect") {
      invocation_.command = Command::kEffect;
      arguments = 1;
    } else if (name == "lights") {
      invocation_.command = Command::kLights;
      arguments = 1;
    } else {
      return Fault("unknown command " + Quoted(name) +
                   ": use list, status, effect, effects or lights");
    }
    if (positional_.size() > arguments + 1) {
      return Fault("too many arguments for " + std::string(name) + ": " +
                   Quoted(positional_[arguments + 1]));
    }
    if (invocation_.command != Command::kEffect && color_option_) {
      return Fault("--color and --preset go with the effect command only");
    }
    if (invocation_.command == Command::kEffect) EffectArgument();
    if (invocation_.command == Command::kLights) LightsArgument();
  }

  void EffectArgument() {
    static const std::string kWhat =
        "a number from 1 to 24 or a name ('halcyractl effects' lists them)";
    if (positional_.size() < 2) return Fault("effect needs an EFFECT: " + kWhat);
    const std::optional<int> effect = EffectByName(positional_[1]);
    if (!effect) return Fault("unknown effect " + Quoted(positional_[1]) + ": give " + kWhat);
    invocation_.effect = *effect;
    if (invocation_.dry_run && !invocation_.color) {
      Fault(
          "--dry-run with effect needs --color or --preset: otherwise the colour is the "
          "controller's own, read from it");
    }
  }

  void LightsArgument() {
    const std::string range = "a whole number from " + std::to_string(device::kMinLightsQty) +
                              " to " + std::to_string(device::kMaxLightsQty);
    if (positional_.size() < 2) return Fault("lights needs N, the number of LEDs: " + range);
    const std::optional<int> count =
        NumberIn(positional_[1], device::kMinLightsQty, device::kMaxLightsQty);
    if (!count) return Fault("lights: N must be " + range + ", not " + Quoted(positional_[1]));
    invocation_.lights = *count;
  }

  const std::vector<std::string_view>& words_;
  std::size_t next_ = 0;
  Invocation invocation_;
  std::vector<std::string_view> positional_;
  bool help_ = false;
  bool version_ = false;
  bool color_option_ = false;
  std::optional<std::string> fault_;
};

}  // namespace

std::variant<Invocation, UsageError> ParseCommandLine(const std::vector<std::string_view>& words) {
  return Parser(words).Parse();
}

std::optional<int> EffectByName(std::string_view word) {
  if (std::optional<int> number = NumberIn(word, 1, device::kEffectCount)) return number;
  for (int effect = 1; effect <= device::kEffectCount; ++effect) {
    if (SameName(word, device::EffectName(effect))) return effect;
  }
  return std::nullopt;
}

std::optional<int> PresetByName(std::string_view word) {
  if (std::optional<int> number = NumberIn(word, 1, device::kPresetColorCount)) return number;
  for (int color = 1; color <= device::kPresetColorCount; ++color) {
    if (SameName(word, device::PresetName(color))) return color;
  }
  return std::nullopt;
}

}  // namespace ctl
