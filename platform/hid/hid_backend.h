// The HID services behind the program's device link, as one small interface with one backend per
// folder: hidapi/ (the real device through hidapi's hidraw flavour) and simulated/ (a model of the
// lighting controller). A program's main installs one backend with hid::SetBackend() before
// anything touches a device; the Windows-named calls of platform/hid/winhid.h then work through it.
//
// Reports are always the program's view of a HID report: 65 bytes, byte 0 the report number (0x00
// for a device without numbered reports), bytes 1..64 the report's data.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "windef.h"

namespace hid {

constexpr std::size_t kReportSize = 65;
using Report = std::array<BYTE, kReportSize>;

// A read waits at most this long for the device's input report. The controller answers within a
// few milliseconds; a controller that never answers costs the window a quarter of a second per
// read (two at start-up), short enough not to look hung, long enough for a busy USB bus.
constexpr int kReadTimeoutMs = 250;

// One present HID interface as enumeration reports it.
struct InterfaceInfo {
  std::string path;  // backend-specific; opened again by Backend::Open
  WORD vendor_id = 0;
  WORD product_id = 0;
  WORD version = 0;  // release number
};

// Why an open failed.
enum class OpenError {
  kNone,          // it opened
  kNotFound,      // no such interface: never there, or gone
  kAccessDenied,  // it is there, but this user may not open it (the device node's permissions)
  kFailed,        // any other reason (held exclusively elsewhere, an I/O error)
};

enum class ReadResult {
  kOk,       // bytes 1..64 hold the input report
  kTimeout,  // nothing arrived within kReadTimeoutMs; the buffer is unchanged
  kFailed,   // the device is gone or the read failed; the buffer is unchanged
};

// One open interface. Destroying it closes it.
class Device {
 public:
  virtual ~Device() = default;

  // Vendor, product and version of the open interface.
  virtual InterfaceInfo Attributes() const = 0;

  // The interface's report descriptor. False, with `out` untouched, when it cannot be read.
  virtual bool ReportDescriptor(std::vector<BYTE>& out) = 0;

  // Sends one output report: byte 0 the report number, bytes 1..64 the data. False on failure.
  virtual bool Write(const Report& report) = 0;

  // Waits at most kReadTimeoutMs for one input report and puts its data into bytes 1..64; byte 0
  // keeps the report number the caller put there. A report shorter than 64 bytes fills only that
  // many; the bytes after it keep what the caller had there. Unless the result is kOk the buffer
  // is unchanged.
  virtual ReadResult Read(Report& report) = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  // The present HID interfaces, in the system's order, each path once.
  virtual std::vector<InterfaceInfo> Enumerate() = 0;

  // Opens an interface for reading and writing, shared with other openers. Null on failure, with
  // the reason in `error` when it is given (kNone on success).
  std::unique_ptr<Device> Open(const std::string& path, OpenError* error = nullptr);

 protected:
  // What Open does; sets `error` whenever it returns null.
  virtual std::unique_ptr<Device> OpenInterface(const std::string& path, OpenError& error) = 0;
};

// Installs the backend that the Windows-named calls use (null uninstalls). Every handle, device
// information set and preparsed-data block obtained through the previous backend becomes stale:
// calls with it fail. Without a backend there are no interfaces and every open fails.
void SetBackend(std::shared_ptr<Backend> backend);

// The backend in use, or null.
std::shared_ptr<Backend> InstalledBackend();

}  // namespace hid
