// Owners of the handles the device set-up and HID services hand out, and how many of them are
// still unreleased, so that a test can tell a leak. Device handles from CreateFileW are kernel
// handles: base::UniqueKernelHandle owns them and base::OpenKernelHandleCount counts them.
#pragma once

#include <cstddef>

#include "unique_handle.h"
#include "winhid.h"

namespace hid {

// SetupDiGetClassDevsW fails with INVALID_HANDLE_VALUE; neither that nor null is a set to destroy.
struct DeviceInfoListTraits {
  using Handle = HDEVINFO;
  static bool Owns(HDEVINFO set) { return set != nullptr && set != INVALID_HANDLE_VALUE; }
  static void Release(HDEVINFO set) { ::SetupDiDestroyDeviceInfoList(set); }
};
using UniqueDeviceInfoList = base::UniqueHandle<DeviceInfoListTraits>;

struct PreparsedDataTraits {
  using Handle = PHIDP_PREPARSED_DATA;
  static bool Owns(PHIDP_PREPARSED_DATA data) { return data != nullptr; }
  static void Release(PHIDP_PREPARSED_DATA data) { ::HidD_FreePreparsedData(data); }
};
using UniquePreparsedData = base::UniqueHandle<PreparsedDataTraits>;

std::size_t OpenDeviceInfoListCount();
std::size_t OpenPreparsedDataCount();

}  // namespace hid
