// Device set-up calls: snapshots of the present HID interfaces and their device paths.
#include <cstddef>
#include <cstring>

#include "hid_state.h"
#include "winhid.h"

namespace {

constexpr GUID kHidClassGuid = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

// Bytes of the detail record before the path starts.
constexpr std::size_t kDetailPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);

bool IsHidClass(const GUID* guid) {
  return guid != nullptr && std::memcmp(guid, &kHidClassGuid, sizeof(GUID)) == 0;
}

hid::detail::InterfaceSet* FindSet(HDEVINFO set) {
  auto& sets = hid::detail::State().sets;
  auto it = sets.find(hid::detail::Key(set));
  return it == sets.end() ? nullptr : &it->second;
}

// The interface an enumerated record names: Reserved carries its index plus one.
const hid::InterfaceInfo* FindInterface(const hid::detail::InterfaceSet& set,
                                        const SP_DEVICE_INTERFACE_DATA& data) {
  if (data.cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) return nullptr;
  if (data.Reserved == 0 || data.Reserved > set.interfaces.size()) return nullptr;
  return &set.interfaces[data.Reserved - 1];
}

}  // namespace

void HidD_GetHidGuid(LPGUID HidGuid) {
  if (HidGuid != nullptr) *HidGuid = kHidClassGuid;
}

HDEVINFO SetupDiGetClassDevsW(const GUID* ClassGuid, PCWSTR /*Enumerator*/, HWND /*hwndParent*/,
                              DWORD /*Flags*/) {
  // Only present interfaces are known here, so DIGCF_PRESENT holds whatever the flags say.
  auto& state = hid::detail::State();
  if (!state.backend) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  hid::detail::InterfaceSet set;
  if (IsHidClass(ClassGuid)) set.interfaces = state.backend->Enumerate();
  const auto value = state.NewOtherHandleValue();
  state.sets.emplace(value, std::move(set));
  return hid::detail::AsHandle<void>(value);
}

BOOL SetupDiEnumDeviceInterfaces(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA /*DeviceInfoData*/,
                                 const GUID* InterfaceClassGuid, DWORD MemberIndex,
                                 PSP_DEVICE_INTERFACE_DATA DeviceInterfaceData) {
  auto* set = FindSet(DeviceInfoSet);
  if (set == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (InterfaceClassGuid == nullptr || DeviceInterfaceData == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (DeviceInterfaceData->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
    SetLastError(ERROR_INVALID_USER_BUFFER);
    return FALSE;
  }
  if (!IsHidClass(InterfaceClassGuid) || MemberIndex >= set->interfaces.size()) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  DeviceInterfaceData->InterfaceClassGuid = kHidClassGuid;
  DeviceInterfaceData->Flags = SPINT_ACTIVE;
  DeviceInterfaceData->Reserved = static_cast<ULONG_PTR>(MemberIndex) + 1;
  return TRUE;
}

BOOL SetupDiGetDeviceInterfaceDetailW(HDEVINFO DeviceInfoSet,
                                      PSP_DEVICE_INTERFACE_DATA DeviceInterfaceData,
                                      PSP_DEVICE_INTERFACE_DETAIL_DATA_W DeviceInterfaceDetailData,
                                      DWORD DeviceInterfaceDetailDataSize, PDWORD RequiredSize,
                                      PSP_DEVINFO_DATA DeviceInfoData) {
  auto* set = FindSet(DeviceInfoSet);
  if (set == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const hid::InterfaceInfo* info =
      DeviceInterfaceData == nullptr ? nullptr : FindInterface(*set, *DeviceInterfaceData);
  if (info == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (DeviceInfoData != nullptr) {
    if (DeviceInfoData->cbSize != sizeof(SP_DEVINFO_DATA)) {
      SetLastError(ERROR_INVALID_USER_BUFFER);
      return FALSE;
    }
  }

  const std::wstring path = hid::detail::WidePath(info->path);
  const std::size_t needed = kDetailPathOffset + (path.size() + 1) * sizeof(WCHAR);
  if (needed > 0xFFFFFFFFu) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (RequiredSize != nullptr) *RequiredSize = static_cast<DWORD>(needed);

  if (DeviceInterfaceDetailData == nullptr) {
    // The size query: Windows answers it by failing.
    SetLastError(DeviceInterfaceDetailDataSize == 0 ? ERROR_INSUFFICIENT_BUFFER
                                                    : ERROR_INVALID_USER_BUFFER);
    return FALSE;
  }
  if (DeviceInterfaceDetailData->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
    SetLastError(ERROR_INVALID_USER_BUFFER);
    return FALSE;
  }
  if (DeviceInterfaceDetailDataSize < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  // The path runs past the declared one-element array, so write it through the record's bytes.
  auto* bytes = reinterpret_cast<BYTE*>(DeviceInterfaceDetailData);
  std::memcpy(bytes + kDetailPathOffset, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
  if (DeviceInfoData != nullptr) {
    DeviceInfoData->ClassGuid = kHidClassGuid;
    DeviceInfoData->DevInst = static_cast<DWORD>(DeviceInterfaceData->Reserved);
    DeviceInfoData->Reserved = 0;
  }
  return TRUE;
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) {
  if (hid::detail::State().sets.erase(hid::detail::Key(DeviceInfoSet)) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
