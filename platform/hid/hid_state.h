// The tables behind the Windows-named HID calls: the installed backend and every live handle.
// Internal to platform/hid.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "hid_backend.h"

namespace hid::detail {

struct OpenDevice {
  std::unique_ptr<Device> device;
  DWORD access = 0;  // GENERIC_READ / GENERIC_WRITE as asked for at open
};

struct InterfaceSet {
  std::vector<InterfaceInfo> interfaces;
};

struct PreparsedData {
  std::vector<BYTE> descriptor;
};

class HidState {
 public:
  ~HidState();

  std::shared_ptr<Backend> backend;  // declared first, so it outlives the devices it opened
  std::unordered_map<std::uintptr_t, OpenDevice> devices;
  std::unordered_map<std::uintptr_t, InterfaceSet> sets;
  std::unordered_map<std::uintptr_t, PreparsedData> preparsed;

  // Fresh handle values: never 0, never INVALID_HANDLE_VALUE, never handed out twice, so a
  // closed handle stays invalid for good. A device handle is a kernel handle (CloseHandle ends
  // it); a device information set or a preparsed-data block is not.
  std::uintptr_t NewDeviceHandleValue();
  std::uintptr_t NewOtherHandleValue();

  // Drops every handle (used when the backend changes).
  void Clear();
};

HidState& State();

// Close handler for device handles (see platform/base/kernel_handle.h).
bool CloseDeviceHandle(HANDLE handle);

inline std::uintptr_t Key(const void* handle) {
  return reinterpret_cast<std::uintptr_t>(handle);
}

// Device paths travel as bytes in the backends and as wide text in the Windows calls: each byte
// becomes one character, so any path survives the round trip unchanged.
std::wstring WidePath(const std::string& path);
// False when the text holds a character above 0xFF, which no backend path can contain.
bool NarrowPath(const wchar_t* text, std::string& path);

template <typename T>
T* AsHandle(std::uintptr_t value) {
  return reinterpret_cast<T*>(value);
}

}  // namespace hid::detail
