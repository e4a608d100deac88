#include "simulated_backend.h"

#include <algorithm>
#include <deque>
#include <random>
#include <utility>

namespace hid {
namespace {

// A vendor-defined collection with one 64-byte input and one 64-byte output report, unnumbered.
constexpr BYTE kControllerDescriptor[] = {
    0x06, 0x00, 0xFF,  // Usage Page (vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x40,        //   Report Count (64)
    0x09, 0x01,        //   Usage (1)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x95, 0x40,        //   Report Count (64)
    0x09, 0x01,        //   Usage (1)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0xC0,              // End Collection
};

constexpr const char* kPathPrefix = "/sim/hidraw";

// Unanswered replies an open handle keeps, as a hidraw node's input queue does.
constexpr std::size_t kMaxQueuedReplies = 64;

}  // namespace

struct SimulatedBackend::Shared {
  struct Slot {
    SimulatedInterface config;
    int times_opened = 0;
    int open_now = 0;
  };
  std::vector<Slot> slots;
  ControllerModel model;
  std::vector<Report> reports;
  Observer observer;
  bool silent = false;
  bool unplugged = false;
  ReplyFaults faults;
  std::minstd_rand noise;
  SimulatedClock clock;
  std::uint64_t own_now = 0;  // the clock when no other was handed over

  std::uint64_t Now() const { return clock.now ? clock.now() : own_now; }
  void Advance(std::uint64_t ms) {
    if (ms == 0) return;
    if (clock.advance) {
      clock.advance(ms);
    } else {
      own_now += ms;
    }
  }

  bool IsController(std::size_t index) const {
    return slots[index].config.vendor_id == kSimulatedControllerVendor &&
           slots[index].config.product_id == kSimulatedControllerProduct;
  }
  bool Present(std::size_t index) const { return !(unplugged && IsController(index)); }
};

namespace {

class SimulatedDevice final : public Device {
 public:
  SimulatedDevice(std::shared_ptr<SimulatedBackend::Shared> shared, std::size_t index)
      : shared_(std::move(shared)), index_(index) {
    ++shared_->slots[index_].times_opened;
    ++shared_->slots[index_].open_now;
  }
  ~SimulatedDevice() override { --shared_->slots[index_].open_now; }

  InterfaceInfo Attributes() const override {
    const auto& config = shared_->slots[index_].config;
    return InterfaceInfo{SimulatedBackend::PathOf(index_), config.vendor_id, config.product_id,
                         0x0100};
  }

  bool ReportDescriptor(std::vector<BYTE>& out) override {
    if (shared_->slots[index_].config.caps_fail || !shared_->Present(index_)) return false;
    out.assign(std::begin(kControllerDescriptor), std::end(kControllerDescriptor));
    return true;
  }

  bool Write(const Report& report) override {
    if (!shared_->Present(index_)) return false;
    if (!shared_->IsController(index_)) return true;  // some other device; it ignores the report
    shared_->reports.push_back(report);
    if (auto reply = shared_->model.Receive(report); reply && !shared_->silent) {
      if (replies_.size() == kMaxQueuedReplies) replies_.pop_front();
      replies_.push_back(Faulted(*reply));
    }
    // The observer may print or record; copy it so it can safely replace itself.
    if (Observer observer = shared_->observer) observer(report);
    return true;
  }

  ReadResult Read(Report& report) override {
    // A node that is gone fails at once.
    if (!shared_->Present(index_)) return ReadResult::kFailed;
    const std::uint64_t now = shared_->Now();
    if (replies_.empty() || replies_.front().arrives_at > now + kReadTimeoutMs) {
      shared_->Advance(kReadTimeoutMs);
      return ReadResult::kTimeout;
    }
    const Pending& reply = replies_.front();
    shared_->Advance(reply.arrives_at > now ? reply.arrives_at - now : 0);
    // The reply's data go to bytes 1..; byte 0 stays the caller's report number.
    std::copy_n(reply.data.begin() + 1, reply.length, report.begin() + 1);
    replies_.pop_front();
    return ReadResult::kOk;
  }

 private:
  using Observer = SimulatedBackend::Observer;

  // A reply on its way to the host.
  struct Pending {
    Report data{};
    std::size_t length = kReportSize - 1;
    std::uint64_t arrives_at = 0;
  };

  Pending Faulted(const Report& reply) {
    const ReplyFaults& faults = shared_->faults;
    Pending pending{reply, std::min(faults.length, kReportSize - 1),
                    shared_->Now() + faults.delay_ms};
    if (faults.garbage_seed) {
      for (std::size_t i = 1; i < kReportSize; ++i) {
        pending.data[i] = static_cast<BYTE>(shared_->noise() >> 8);
      }
    }
    return pending;
  }

  std::shared_ptr<SimulatedBackend::Shared> shared_;
  std::size_t index_ = 0;
  std::deque<Pending> replies_;
};

}  // namespace

SimulatedBackend::SimulatedBackend() : SimulatedBackend(std::vector<SimulatedInterface>{{}}) {}

SimulatedBackend::SimulatedBackend(std::vector<SimulatedInterface> interfaces)
    : shared_(std::make_shared<Shared>()) {
  for (const auto& config : interfaces) shared_->slots.push_back(Shared::Slot{config});
}

std::vector<InterfaceInfo> SimulatedBackend::Enumerate() {
  std::vector<InterfaceInfo> present;
  for (std::size_t i = 0; i < shared_->slots.size(); ++i) {
    if (!shared_->Present(i)) continue;
    const auto& config = shared_->slots[i].config;
    present.push_back(InterfaceInfo{PathOf(i), config.vendor_id, config.product_id, 0x0100});
  }
  return present;
}

std::unique_ptr<Device> SimulatedBackend::OpenInterface(const std::string& path, OpenError& error) {
  error = OpenError::kNotFound;
  for (std::size_t i = 0; i < shared_->slots.size(); ++i) {
    if (path != PathOf(i) || !shared_->Present(i)) continue;
    const auto& config = shared_->slots[i].config;
    if (config.access_denied) {
      error = OpenError::kAccessDenied;
      return nullptr;
    }
    if (config.open_fails) {
      error = OpenError::kFailed;
      return nullptr;
    }
    return std::make_unique<SimulatedDevice>(shared_, i);
  }
  return nullptr;
}

ControllerState& SimulatedBackend::Controller() {
  return shared_->model.State();
}

void SimulatedBackend::SetSilent(bool silent) {
  shared_->silent = silent;
}

void SimulatedBackend::SetReplyFaults(const ReplyFaults& faults) {
  shared_->faults = faults;
  if (faults.garbage_seed) shared_->noise.seed(*faults.garbage_seed);
}

void SimulatedBackend::SetClock(SimulatedClock clock) {
  shared_->clock = std::move(clock);
}

void SimulatedBackend::Unplug() {
  shared_->unplugged = true;
}

void SimulatedBackend::SetObserver(Observer observer) {
  shared_->observer = std::move(observer);
}

const std::vector<Report>& SimulatedBackend::Reports() const {
  return shared_->reports;
}

int SimulatedBackend::TimesOpened(std::size_t index) const {
  return index < shared_->slots.size() ? shared_->slots[index].times_opened : 0;
}

int SimulatedBackend::OpenNow(std::size_t index) const {
  return index < shared_->slots.size() ? shared_->slots[index].open_now : 0;
}

std::string SimulatedBackend::PathOf(std::size_t index) {
  return kPathPrefix + std::to_string(index);
}

}  // namespace hid
