// HID services on an open device handle: attributes, preparsed data (the report descriptor) and
// the capabilities worked out from it.
#include <algorithm>

#include "hid_state.h"
#include "report_descriptor.h"
#include "winhid.h"

namespace {

hid::Device* FindDevice(HANDLE handle) {
  auto& devices = hid::detail::State().devices;
  auto it = devices.find(hid::detail::Key(handle));
  return it == devices.end() ? nullptr : it->second.device.get();
}

}  // namespace

BOOLEAN HidD_GetAttributes(HANDLE HidDeviceObject, PHIDD_ATTRIBUTES Attributes) {
  hid::Device* device = FindDevice(HidDeviceObject);
  if (device == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (Attributes == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const hid::InterfaceInfo info = device->Attributes();
  Attributes->Size = sizeof(HIDD_ATTRIBUTES);
  Attributes->VendorID = info.vendor_id;
  Attributes->ProductID = info.product_id;
  Attributes->VersionNumber = info.version;
  return TRUE;
}

BOOLEAN HidD_GetPreparsedData(HANDLE HidDeviceObject, PHIDP_PREPARSED_DATA* PreparsedData) {
  hid::Device* device = FindDevice(HidDeviceObject);
  if (device == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (PreparsedData == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  hid::detail::PreparsedData data;
  if (!device->ReportDescriptor(data.descriptor) || data.descriptor.empty()) {
    SetLastError(ERROR_GEN_FAILURE);
    return FALSE;
  }
  auto& state = hid::detail::State();
  const auto value = state.NewOtherHandleValue();
  state.preparsed.emplace(value, std::move(data));
  *PreparsedData = hid::detail::AsHandle<HIDP_PREPARSED_DATA>(value);
  return TRUE;
}

BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA PreparsedData) {
  if (hid::detail::State().preparsed.erase(hid::detail::Key(PreparsedData)) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA PreparsedData, PHIDP_CAPS Capabilities) {
  auto& preparsed = hid::detail::State().preparsed;
  auto it = preparsed.find(hid::detail::Key(PreparsedData));
  if (it == preparsed.end() || Capabilities == nullptr) return HIDP_STATUS_INVALID_PREPARSED_DATA;
  const auto caps = hid::ParseReportDescriptor(it->second.descriptor);
  if (!caps) return HIDP_STATUS_INVALID_PREPARSED_DATA;
  *Capabilities = HIDP_CAPS{};
  Capabilities->Usage = caps->usage;
  Capabilities->UsagePage = caps->usage_page;
  Capabilities->InputReportByteLength = caps->input_length;
  Capabilities->OutputReportByteLength = caps->output_length;
  Capabilities->FeatureReportByteLength = caps->feature_length;
  Capabilities->NumberLinkCollectionNodes = caps->collections;
  return HIDP_STATUS_SUCCESS;
}
