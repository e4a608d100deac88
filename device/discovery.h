// Finding the lighting controller among the present HID interfaces and opening it.
//
// DeviceDiscovery holds the members discovery fills, named as the main dialog holds them; the
// dialog takes them over by deriving from it and calls FindDevice() during its initialisation.
// Afterwards only m_hDevice matters: the controller's open handle, or INVALID_HANDLE_VALUE.
#pragma once

#include <memory>

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
  DeviceDiscovery() = default;
  // Closes the controller's handle: the owner lives until the process ends, so this is the end of
  // the run.
  ~DeviceDiscovery();
  DeviceDiscovery(const DeviceDiscovery&) = delete;
  DeviceDiscovery& operator=(const DeviceDiscovery&) = delete;

  // Tries interface indices 0..127 in order, skipping the ones that are missing, have no detail
  // record or do not open. The first interface with the controller's vendor and product wins and
  // stays open in m_hDevice (result TRUE). Any interface that opens but whose preparsed data or
  // capabilities cannot be read ends the search there (result FALSE). Otherwise FALSE, with
  // m_hDevice INVALID_HANDLE_VALUE.
  BOOL FindDevice();

  GUID m_guidHid{};
  HDEVINFO m_hDevInfo = nullptr;
  HIDD_ATTRIBUTES m_attributes{};
  SP_DEVICE_INTERFACE_DATA m_interfaceData{};
  InterfaceDetail m_detail;
  PHIDP_PREPARSED_DATA m_pPreparsedData = nullptr;
  HIDP_CAPS m_caps{};
  HANDLE m_hDevice = nullptr;  // 0 until discovery runs

 private:
  void CloseCandidate();
  void ReleaseEnumeration();
};

}  // namespace device
