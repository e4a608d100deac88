// Discovery over a list of HID interfaces that the input describes, then the controller's requests
// against whatever the interface found answers. Checked against a model of the search, the echo
// rule of the two reads, and the handle counts (nothing leaks, however the search ends).
//
// Input, field by field (see fuzz_input.h):
//   U8 n                       interfaces (modulo 136), in enumeration order (only indices 0..127
//                              are tried)
//   per interface:
//     U8 flags                 1 opening fails, 2 its descriptor cannot be read, 4 the
//                              controller's own descriptor, 8 a path of its own (else "/fuzz/N")
//     U16 vendor, U16 product
//     Text path                with flag 8: any bytes, NULs and duplicates included
//     Text descriptor          without flag 4
//   then one request per byte until the input ends (byte % 7):
//     0 ReadLightsQty (U8 count)   1 ReadDeviceColor (U8 in/out)   2 SetLightsQty (U8)
//     3 ApplyArgbSettings, 4 ApplyVrgbSettings (S32 effect, colour, red, green, blue)
//     5 the controller is pulled out   6 discovery runs again (twice at most: every run walks all
//     128 indices, and more runs find nothing new)
//   every read the program makes takes its answer from the input: U8 (% 3: 0 a report, 1 no
//   answer in time, 2 failed) and, for a report, its 64 data bytes.
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "discovery.h"
#include "fuzz_input.h"
#include "hid_backend.h"
#include "hid_owners.h"
#include "kernel_handle.h"
#include "report_descriptor.h"
#include "requests.h"

namespace {

// The controller's descriptor: one 64-byte input and one 64-byte output report.
constexpr BYTE kControllerDescriptor[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00,
                                          0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40, 0x09, 0x01,
                                          0x81, 0x02, 0x95, 0x40, 0x09, 0x01, 0x91, 0x02, 0xC0};

struct Interface {
  std::string path;
  WORD vendor = 0;
  WORD product = 0;
  bool open_fails = false;
  bool descriptor_fails = false;
  std::vector<BYTE> descriptor;
};

struct World {
  std::vector<Interface> interfaces;
  bool unplugged = false;
  fuzz::Input* input = nullptr;
  hid::Report last_write{};
  int writes = 0;
  bool answered = false;  // the last read brought a report, which is `reply`
  hid::Report reply{};
};

class FuzzDevice final : public hid::Device {
 public:
  FuzzDevice(std::shared_ptr<World> world, std::size_t index)
      : world_(std::move(world)), index_(index) {}

  hid::InterfaceInfo Attributes() const override {
    const Interface& i = world_->interfaces[index_];
    return hid::InterfaceInfo{i.path, i.vendor, i.product, 0x0100};
  }
  bool ReportDescriptor(std::vector<BYTE>& out) override {
    const Interface& i = world_->interfaces[index_];
    if (i.descriptor_fails || world_->unplugged) return false;
    out = i.descriptor;
    return true;
  }
  bool Write(const hid::Report& report) override {
    if (world_->unplugged) return false;
    world_->last_write = report;
    ++world_->writes;
    return true;
  }
  hid::ReadResult Read(hid::Report& report) override {
    if (world_->unplugged) return hid::ReadResult::kFailed;
    switch (world_->input->U8() % 3) {
      case 0: {
        const auto data = world_->input->Bytes(hid::kReportSize - 1);
        std::fill(report.begin() + 1, report.end(), BYTE{0});
        std::memcpy(report.data() + 1, data.data(), data.size());
        world_->answered = true;
        world_->reply = report;
        return hid::ReadResult::kOk;
      }
      case 1:
        return hid::ReadResult::kTimeout;
      default:
        return hid::ReadResult::kFailed;
    }
  }

 private:
  std::shared_ptr<World> world_;
  std::size_t index_;
};

class FuzzBackend final : public hid::Backend {
 public:
  explicit FuzzBackend(std::shared_ptr<World> world) : world_(std::move(world)) {}

  std::vector<hid::InterfaceInfo> Enumerate() override {
    std::vector<hid::InterfaceInfo> list;
    if (world_->unplugged) return list;
    for (const Interface& i : world_->interfaces) {
      list.push_back(hid::InterfaceInfo{i.path, i.vendor, i.product, 0x0100});
    }
    return list;
  }

 protected:
  std::unique_ptr<hid::Device> OpenInterface(const std::string& path,
                                             hid::OpenError& error) override {
    error = hid::OpenError::kNotFound;
    if (world_->unplugged) return nullptr;
    for (std::size_t i = 0; i < world_->interfaces.size(); ++i) {
      if (world_->interfaces[i].path != path) continue;
      if (world_->interfaces[i].open_fails) {
        error = hid::OpenError::kFailed;
        return nullptr;
      }
      error = hid::OpenError::kNone;
      return std::make_unique<FuzzDevice>(world_, i);
    }
    return nullptr;
  }

 private:
  std::shared_ptr<World> world_;
};

// What discovery must find: the interface that ends up open, or nothing.
struct Expected {
  bool found = false;
  std::size_t index = 0;
};

Expected Model(const World& world) {
  if (world.unplugged) return {};
  const auto& list = world.interfaces;
  for (std::size_t i = 0; i < list.size() && i < device::kInterfacesTried; ++i) {
    // The path travels as a NUL-terminated wide string, so it ends at its first NUL.
    const std::string path = list[i].path.substr(0, list[i].path.find('\0'));
    if (path.empty()) continue;
    std::size_t opened = list.size();
    for (std::size_t j = 0; j < list.size(); ++j) {
      if (list[j].path == path) {
        opened = j;
        break;
      }
    }
    if (opened == list.size() || list[opened].open_fails) continue;
    const Interface& o = list[opened];
    if (o.descriptor_fails || o.descriptor.empty() || !hid::ParseReportDescriptor(o.descriptor)) {
      return {};
    }
    if (o.vendor == device::kControllerVendorId && o.product == device::kControllerProductId) {
      return {true, opened};
    }
  }
  return {};
}

void CheckDiscovery(const World& world, device::DeviceDiscovery& discovery, std::size_t handles) {
  const Expected expected = Model(world);
  const BOOL result = discovery.FindDevice();
  fuzz::Check((result != FALSE) == expected.found, "discovery finds what the model finds");
  const bool open =
      discovery.m_hDevice.get() != INVALID_HANDLE_VALUE && discovery.m_hDevice.get() != nullptr;
  fuzz::Check(open == expected.found, "a handle exactly when found");
  if (expected.found) {
    const Interface& i = world.interfaces[expected.index];
    fuzz::Check(discovery.m_attributes.VendorID == i.vendor &&
                    discovery.m_attributes.ProductID == i.product,
                "the controller's attributes");
  }
  fuzz::Check(base::OpenKernelHandleCount() == handles + (expected.found ? 1 : 0),
              "rejected candidates are closed");
  fuzz::Check(hid::OpenDeviceInfoListCount() == 0, "the enumeration is released");
  fuzz::Check(hid::OpenPreparsedDataCount() == (expected.found ? 1u : 0u),
              "only the controller's preparsed data is kept");
}

void CheckWrite(const World& world, int writes_before, BYTE group, BYTE command, int last_named) {
  if (world.writes == writes_before) return;  // it went nowhere
  const hid::Report& r = world.last_write;
  fuzz::Check(r[0] == 0x00 && r[1] == 0x80 && r[2] == group && r[3] == command, "report header");
  for (int i = last_named + 1; i < static_cast<int>(r.size()); ++i) {
    fuzz::Check(r[i] == 0, "every byte not named is 0");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  auto world = std::make_shared<World>();
  world->input = &in;
  const int count = in.U8() % 136;
  for (int n = 0; n < count; ++n) {
    Interface i;
    const std::uint8_t flags = in.U8();
    i.open_fails = (flags & 1) != 0;
    i.descriptor_fails = (flags & 2) != 0;
    i.vendor = in.U16();
    i.product = in.U16();
    i.path = (flags & 8) != 0 ? in.Text() : "/fuzz/" + std::to_string(n);
    if ((flags & 4) != 0) {
      i.descriptor.assign(std::begin(kControllerDescriptor), std::end(kControllerDescriptor));
    } else {
      const std::string d = in.Text();
      i.descriptor.assign(d.begin(), d.end());
    }
    world->interfaces.push_back(std::move(i));
  }

  const std::size_t handles = base::OpenKernelHandleCount();
  hid::SetBackend(std::make_shared<FuzzBackend>(world));
  {
    device::DeviceDiscovery discovery;
    CheckDiscovery(*world, discovery, handles);
    int rediscoveries = 0;
    while (!in.Empty()) {
      HANDLE h = discovery.m_hDevice.get();
      const int writes = world->writes;
      switch (in.U8() % 7) {
        case 0: {
          const int sent = in.U8();
          int qty = sent;
          device::ReadLightsQty(h, qty);
          CheckWrite(*world, writes, 0x0D, 0x01, 5);
          // An answer gives its byte 4; without one the request's own byte comes back.
          const int expected = world->answered ? world->reply[4] : sent;
          fuzz::Check(qty == expected, "the LED count read back");
          break;
        }
        case 1: {
          const BYTE sent = in.U8();
          BYTE in_out = sent;
          const device::Rgb color = device::ReadDeviceColor(h, in_out);
          CheckWrite(*world, writes, 0x0B, 0x01, 8);
          const hid::Report& r = world->reply;
          const bool answered = world->answered;
          fuzz::Check(in_out == (answered ? r[5] : sent), "the in/out byte read back");
          fuzz::Check(color == (answered ? device::Rgb{r[9], r[10], r[11]} : device::Rgb{}),
                      "the colour read back");
          break;
        }
        case 2:
          device::SetLightsQty(h, in.U8());
          CheckWrite(*world, writes, 0x0D, 0x02, 5);
          break;
        case 3:
        case 4: {
          const bool vrgb = (data[size - 1] & 1) != 0;
          device::LightingSettings s;
          s.effect = in.S32();
          s.color = in.S32();
          s.red = in.S32();
          s.green = in.S32();
          s.blue = in.S32();
          if (vrgb) {
            bool warned = false;
            device::ApplyVrgbSettings(h, s, [&warned] { warned = true; });
            fuzz::Check(warned == (s.effect < 1 || s.effect > 7), "the warning for no VRGB code");
            CheckWrite(*world, writes, 0x04, 0x02, 10);
          } else {
            device::ApplyArgbSettings(h, s);
            CheckWrite(*world, writes, 0x0B, 0x02, 11);
          }
          break;
        }
        case 5:
          world->unplugged = true;
          break;
        default:
          if (++rediscoveries <= 2) CheckDiscovery(*world, discovery, handles);
          break;
      }
      world->answered = false;
    }
  }
  hid::SetBackend(nullptr);
  fuzz::Check(base::OpenKernelHandleCount() == handles, "no device handle is left open");
  fuzz::Check(hid::OpenPreparsedDataCount() == 0, "no preparsed data is left");
  return 0;
}
