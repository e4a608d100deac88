#include "simulated_setup.h"

#include <charconv>
#include <string>
#include <vector>

namespace hid {
namespace {

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] != ' ' && text[pos] != '\t') ++pos;
    if (pos > start) words.push_back(text.substr(start, pos - start));
  }
  return words;
}

bool ParseByte(std::string_view word, BYTE& out) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value > 255) return false;
  out = static_cast<BYTE>(value);
  return true;
}

}  // namespace

bool ApplyDeviceCommand(std::string_view arguments, SimulatedSetup& setup) {
  const std::vector<std::string_view> words = Words(arguments);
  if (words.empty()) return false;
  SimulatedSetup next = setup;
  const std::string_view verb = words[0];
  if (verb == "absent" && words.size() == 1) {
    next.attached = false;
  } else if (verb == "silent" && words.size() == 1) {
    next.silent = true;
  } else if (verb == "qty" && words.size() == 2) {
    if (!ParseByte(words[1], next.led_count)) return false;
  } else if (verb == "color" && words.size() == 4) {
    if (!ParseByte(words[1], next.red) || !ParseByte(words[2], next.green) ||
        !ParseByte(words[3], next.blue)) {
      return false;
    }
  } else {
    return false;
  }
  setup = next;
  return true;
}

std::shared_ptr<SimulatedBackend> MakeSimulatedBackend(const SimulatedSetup& setup) {
  std::vector<SimulatedInterface> interfaces;
  if (setup.attached) {
    SimulatedInterface controller;
    controller.access_denied = setup.access_denied;
    controller.caps_fail = setup.descriptor_unreadable;
    interfaces.push_back(controller);
  }
  auto backend = std::make_shared<SimulatedBackend>(std::move(interfaces));
  ChannelState& argb = backend->Controller().argb;
  argb.red = setup.red;
  argb.green = setup.green;
  argb.blue = setup.blue;
  backend->Controller().led_count = setup.led_count;
  backend->SetSilent(setup.silent);
  backend->SetReplyFaults(setup.replies);
  return backend;
}

}  // namespace hid
