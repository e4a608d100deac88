#include "controller_model.h"

namespace hid {
namespace {

constexpr BYTE kMarker = 0x80;
constexpr BYTE kGroupLightsQty = 0x0D;
constexpr BYTE kGroupArgb = 0x0B;
constexpr BYTE kGroupVrgb = 0x04;
constexpr BYTE kRead = 0x01;
constexpr BYTE kWrite = 0x02;

}  // namespace

std::optional<Report> ControllerModel::Receive(const Report& r) {
  if (r[0] != 0x00 || r[1] != kMarker) return std::nullopt;
  const BYTE group = r[2];
  const BYTE command = r[3];

  if (group == kGroupLightsQty && command == kWrite) {
    state_.led_count = r[4];
  } else if (group == kGroupArgb && command == kWrite) {
    state_.argb = ChannelState{r[5], r[7], r[9], r[10], r[11]};
  } else if (group == kGroupVrgb && command == kWrite) {
    state_.vrgb = ChannelState{r[4], r[6], r[8], r[9], r[10]};
  } else if (group == kGroupLightsQty && command == kRead) {
    // The reply repeats the request with the LED count in byte 4.
    Report reply = r;
    reply[4] = state_.led_count;
    return reply;
  } else if (group == kGroupArgb && command == kRead) {
    // The reply has the layout of the ARGB write request, filled from the ARGB channel.
    Report reply{};
    reply[1] = kMarker;
    reply[2] = kGroupArgb;
    reply[3] = kRead;
    reply[4] = 0x03;
    reply[5] = state_.argb.effect;
    reply[7] = state_.argb.option;
    reply[8] = 0x03;
    reply[9] = state_.argb.red;
    reply[10] = state_.argb.green;
    reply[11] = state_.argb.blue;
    return reply;
  }
  return std::nullopt;
}

}  // namespace hid
