#include "discovery.h"

#include <algorithm>

namespace device {

void InterfaceDetail::Allocate(DWORD size) {
  const std::size_t bytes = std::max<std::size_t>(size, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W));
  block_ = std::make_unique<BYTE[]>(bytes);
  get()->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
}

DeviceDiscovery::~DeviceDiscovery() {
  if (m_pPreparsedData != nullptr) HidD_FreePreparsedData(m_pPreparsedData);
  if (m_hDevice != nullptr && m_hDevice != INVALID_HANDLE_VALUE) CloseHandle(m_hDevice);
  ReleaseEnumeration();
}

void DeviceDiscovery::CloseCandidate() {
  CloseHandle(m_hDevice);
  m_hDevice = INVALID_HANDLE_VALUE;
  if (m_pPreparsedData != nullptr) {
    HidD_FreePreparsedData(m_pPreparsedData);
    m_pPreparsedData = nullptr;
  }
  m_detail.Reset();
}

void DeviceDiscovery::ReleaseEnumeration() {
  if (m_hDevInfo != nullptr && m_hDevInfo != INVALID_HANDLE_VALUE) {
    SetupDiDestroyDeviceInfoList(m_hDevInfo);
  }
  m_hDevInfo = nullptr;
}

BOOL DeviceDiscovery::FindDevice() {
  // Discovery runs once; should it run again, the earlier controller is let go first.
  if (m_hDevice != nullptr && m_hDevice != INVALID_HANDLE_VALUE) CloseCandidate();
  m_hDevice = INVALID_HANDLE_VALUE;

  HidD_GetHidGuid(&m_guidHid);
  m_hDevInfo =
      SetupDiGetClassDevsW(&m_guidHid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  m_detail.Reset();
  m_interfaceData.cbSize = sizeof(SP_DEVICE_INTERFACE_DATA);

  // Every index is tried: a gap in the enumeration does not end the search.
  for (DWORD index = 0; index < kInterfacesTried; ++index) {
    if (!SetupDiEnumDeviceInterfaces(m_hDevInfo, nullptr, &m_guidHid, index, &m_interfaceData)) {
      continue;
    }

    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(m_hDevInfo, &m_interfaceData, nullptr, 0, &required, nullptr);
    m_detail.Allocate(required);
    if (!SetupDiGetDeviceInterfaceDetailW(m_hDevInfo, &m_interfaceData, m_detail.get(), required,
                                          nullptr, nullptr)) {
      m_detail.Reset();
      continue;
    }

    m_hDevice = CreateFileW(m_detail.get()->DevicePath, GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (m_hDevice == INVALID_HANDLE_VALUE) {
      m_detail.Reset();
      continue;
    }

    HidD_GetAttributes(m_hDevice, &m_attributes);  // its result is not needed: the ids decide

    if (!HidD_GetPreparsedData(m_hDevice, &m_pPreparsedData) ||
        HidP_GetCaps(m_pPreparsedData, &m_caps) != HIDP_STATUS_SUCCESS) {
      // An interface that opens but cannot describe itself ends the search: the controller
      // counts as absent.
      CloseCandidate();
      ReleaseEnumeration();
      return FALSE;
    }

    if (m_attributes.VendorID == kControllerVendorId &&
        m_attributes.ProductID == kControllerProductId) {
      ReleaseEnumeration();
      return TRUE;
    }
    CloseCandidate();
  }

  ReleaseEnumeration();
  return FALSE;
}

}  // namespace device
