// Finding the lighting controller among the present HID interfaces and opening it.
//
// DeviceDiscovery holds the members discovery fills, named as the main dialog holds them; the
// dialog takes them over by deriving from it and calls FindDevice() during its initialisation.
// Afterwards only m_hDevice matters: the controller's open handle, or INVALID_HANDLE_VALUE.
#pragma once

#include <memory>

#include "hid_owners.h"
#include "kernel_handle.h"
#include "winhid.h"

namespace device {

constexpr WORD kControllerVendorId = 0x1A2C;
constexpr WORD kControllerProductId = 0x1519;
constexpr DWORD kInterfacesTried = 128;  // member indices 0..127

// The heap block of one interface detail record, sized as the system asks.
class InterfaceDetail {
 public:
  // A fresh block of `size` bytes (never less than the record's header), cbSize set.
  void Allocate(DWORD size);
  void Reset() { block_.reset(); }
  PSP_DEVICE_INTERFACE_DETAIL_DATA_W get() const {
    return reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_W>(block_.get());
  }

 private:
  std::unique_ptr<BYTE[]> block_;
};

class DeviceDiscovery {
 public:
  // Every handle is held by its owner, so the record lets go of the controller when it is
  // destroyed; the main dialog lives until the process ends, so that is the end of the run.
  DeviceDiscovery() = default;
  DeviceDiscovery(const DeviceDiscovery&) = delete;
  DeviceDiscovery& operator=(const DeviceDiscovery&) = delete;

  // Tries interface indices 0..127 in order, skipping the ones that are missing, have no detail
  // record or do not open. The first interface with the controller's vendor and product wins and
  // stays open in m_hDevice (result TRUE). Any interface that opens but whose preparsed data or
  // capabilities cannot be read ends the search there (result FALSE). Otherwise FALSE, with
  // m_hDevice INVALID_HANDLE_VALUE.
  BOOL FindDevice();

  GUID m_guidHid{};
  hid::UniqueDeviceInfoList m_hDevInfo;  // held only while the search runs
  HIDD_ATTRIBUTES m_attributes{};
  SP_DEVICE_INTERFACE_DATA m_interfaceData{};
  InterfaceDetail m_detail;
  hid::UniquePreparsedData m_pPreparsedData;  // the controller's, once found
  HIDP_CAPS m_caps{};
  // 0 until discovery runs, then the controller or INVALID_HANDLE_VALUE; either of those two
  // means no controller (the owner holds nothing).
  base::UniqueKernelHandle m_hDevice;

 private:
  BOOL SearchInterfaces();
};

}  // namespace device
