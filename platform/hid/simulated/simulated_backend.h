// A simulated HID system for tests, the demo program and the headless program: a configurable list
// of interfaces, and behind every interface with the controller's identifiers one model of the
// lighting controller that records each report it receives and answers the read requests.
//
//   auto sim = std::make_shared<hid::SimulatedBackend>();   // one controller, LED count 8
//   sim->Controller().argb.red = 255;                       // what a colour read answers
//   sim->SetObserver([](const hid::Report& r) { std::puts(hid::FormatReport(r).c_str()); });
//   hid::SetBackend(sim);
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controller_model.h"
#include "hid_backend.h"

namespace hid {

constexpr WORD kSimulatedControllerVendor = 0x1A2C;
constexpr WORD kSimulatedControllerProduct = 0x1519;

struct SimulatedInterface {
  WORD vendor_id = kSimulatedControllerVendor;
  WORD product_id = kSimulatedControllerProduct;
  bool open_fails = false;  // opening it fails, as for a device held exclusively elsewhere
  bool caps_fail = false;   // it opens, but its report descriptor cannot be read
  // Opening it fails for lack of permission, as for a device node that only root may open.
  bool access_denied = false;
};

// How the controller answers the two read requests. By default at once and in full.
struct ReplyFaults {
  // Time from the request to the reply reaching the host. A read gives up after kReadTimeoutMs;
  // a reply that comes later waits in the interface's input queue for the next read, as it would
  // on a real node.
  std::uint64_t delay_ms = 0;
  // Data bytes the reply carries (0..64); a short reply fills only that many of bytes 1..64.
  std::size_t length = kReportSize - 1;
  // When set, the reply's data are noise from a generator with this seed instead of the answer.
  std::optional<std::uint32_t> garbage_seed;
};

// The time the simulated controller lives in. A read that waits lets `advance` move the clock by
// the time it waited (never more than kReadTimeoutMs), so a program on a virtual clock sees the
// wait as it would on the real one.
struct SimulatedClock {
  std::function<std::uint64_t()> now;
  std::function<void(std::uint64_t)> advance;
};

class SimulatedBackend final : public Backend {
 public:
  using Observer = std::function<void(const Report&)>;

  // One interface: the controller.
  SimulatedBackend();
  // The given interfaces in enumeration order; none means no HID device at all.
  explicit SimulatedBackend(std::vector<SimulatedInterface> interfaces);

  std::vector<InterfaceInfo> Enumerate() override;
  // The controller's state: set it to choose what the read requests answer, read it to see what
  // the write requests set.
  ControllerState& Controller();

  // A silent controller still takes writes but never answers: every read waits its full bound
  // on the backend's clock and times out.
  void SetSilent(bool silent);

  // Slow, short or garbled answers from now on.
  void SetReplyFaults(const ReplyFaults& faults);

  // By default the backend keeps a clock of its own that only its waits move, so no real time
  // passes; a host with a virtual clock hands its own here.
  void SetClock(SimulatedClock clock);

  // Pulls the controller out: its interfaces leave the enumeration, opening them fails, and
  // writes and reads on handles already open fail.
  void Unplug();

  // Called with every report the controller receives, as it arrives.
  void SetObserver(Observer observer);

  // Every report the controller received, oldest first.
  const std::vector<Report>& Reports() const;

  // How often the index-th interface was opened, and how many of those handles are still open.
  int TimesOpened(std::size_t index) const;
  int OpenNow(std::size_t index) const;

  // The device path of the index-th interface.
  static std::string PathOf(std::size_t index);

  struct Shared;

 protected:
  std::unique_ptr<Device> OpenInterface(const std::string& path, OpenError& error) override;

 private:
  std::shared_ptr<Shared> shared_;
};

}  // namespace hid
