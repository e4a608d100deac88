#include "discovery.h"

#include <algorithm>
#include <utility>

namespace device {

void InterfaceDetail::Allocate(DWORD size) {
  const std::size_t bytes = std::max<std::size_t>(size, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W));
  block_ = std::make_unique<BYTE[]>(bytes);
  get()->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
}

BOOL DeviceDiscovery::FindDevice() {
  // Should discovery run again, the earlier controller is let go here.
  m_hDevice = INVALID_HANDLE_VALUE;
  m_pPreparsedData.reset();

  HidD_GetHidGuid(&m_guidHid);
  m_hDevInfo =
      SetupDiGetClassDevsW(&m_guidHid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  const BOOL found = SearchInterfaces();
  m_hDevInfo.reset();  // however the search ended
  return found;
}

BOOL DeviceDiscovery::SearchInterfaces() {
  m_detail.Reset();
  m_interfaceData.cbSize = sizeof(SP_DEVICE_INTERFACE_DATA);

  // Every index is tried: a gap in the enumeration does not end the search. A candidate's handle
  // and preparsed data are owned by the loop body, so a rejected candidate is closed as the body
  // ends, whichever way it ends.
  for (DWORD index = 0; index < kInterfacesTried; ++index) {
    if (!SetupDiEnumDeviceInterfaces(m_hDevInfo.get(), nullptr, &m_guidHid, index,
                                     &m_interfaceData)) {
      continue;
    }

    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(m_hDevInfo.get(), &m_interfaceData, nullptr, 0, &required,
                                     nullptr);
    m_detail.Allocate(required);
    if (!SetupDiGetDeviceInterfaceDetailW(m_hDevInfo.get(), &m_interfaceData, m_detail.get(),
                                          required, nullptr, nullptr)) {
      continue;
    }

    base::UniqueKernelHandle candidate(
        CreateFileW(m_detail.get()->DevicePath, GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!candidate) continue;

    HidD_GetAttributes(candidate.get(), &m_attributes);  // its result is not needed: the ids decide

    hid::UniquePreparsedData preparsed;
    if (!HidD_GetPreparsedData(candidate.get(), preparsed.put()) ||
        HidP_GetCaps(preparsed.get(), &m_caps) != HIDP_STATUS_SUCCESS) {
      // An interface that opens but cannot describe itself ends the search: the controller
      // counts as absent.
      return FALSE;
    }

    if (m_attributes.VendorID == kControllerVendorId &&
        m_attributes.ProductID == kControllerProductId) {
      m_hDevice = std::move(candidate);
      m_pPreparsedData = std::move(preparsed);
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace device
