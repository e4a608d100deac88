// The Windows device set-up, HID and file calls the program's device link makes, with Windows'
// names, types, constants and failure values, working over the installed hid::Backend.
//
// Only what discovery and the 65-byte transport need is here. Every handle this header hands out
// (device information sets, device handles, preparsed data) is a value looked up in a table, never
// a pointer: a stale, foreign or invalid handle makes a call fail with ERROR_INVALID_HANDLE, it
// never crashes. All calls run on the one user-interface thread.
#pragma once

#include "kernel_handle.h"
#include "windef.h"

// ---- Types
// ---------------------------------------------------------------------------------------

using NTSTATUS = LONG;
using USAGE = USHORT;
using PDWORD = DWORD*;
using LPDWORD = DWORD*;
using PCWSTR = const wchar_t*;
struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

// ---- Device set-up (setupapi)
// --------------------------------------------------------------------

using HDEVINFO = void*;

constexpr DWORD DIGCF_PRESENT = 0x02;
constexpr DWORD DIGCF_DEVICEINTERFACE = 0x10;
constexpr DWORD SPINT_ACTIVE = 0x1;

struct SP_DEVINFO_DATA {
  DWORD cbSize;
  GUID ClassGuid;
  DWORD DevInst;
  ULONG_PTR Reserved;
};
using PSP_DEVINFO_DATA = SP_DEVINFO_DATA*;

// 32 bytes, as on 64-bit Windows. cbSize must hold sizeof(SP_DEVICE_INTERFACE_DATA).
struct SP_DEVICE_INTERFACE_DATA {
  DWORD cbSize;
  GUID InterfaceClassGuid;
  DWORD Flags;
  ULONG_PTR Reserved;
};
using PSP_DEVICE_INTERFACE_DATA = SP_DEVICE_INTERFACE_DATA*;

// A variable-length record: the path runs on past DevicePath[0]. cbSize must hold the fixed header
// size, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) (8 bytes, as on 64-bit Windows).
struct SP_DEVICE_INTERFACE_DETAIL_DATA_W {
  DWORD cbSize;
  WCHAR DevicePath[1];
};
using PSP_DEVICE_INTERFACE_DETAIL_DATA_W = SP_DEVICE_INTERFACE_DETAIL_DATA_W*;

// A snapshot of the present HID interfaces when ClassGuid is the HID class (other classes give an
// empty set). Never fails while a backend is installed; without one, INVALID_HANDLE_VALUE.
HDEVINFO SetupDiGetClassDevsW(const GUID* ClassGuid, PCWSTR Enumerator, HWND hwndParent,
                              DWORD Flags);

// Fills the interface record of the set's MemberIndex-th interface. FALSE with ERROR_NO_MORE_ITEMS
// past the last one; ERROR_INVALID_USER_BUFFER when cbSize is wrong.
BOOL SetupDiEnumDeviceInterfaces(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                 const GUID* InterfaceClassGuid, DWORD MemberIndex,
                                 PSP_DEVICE_INTERFACE_DATA DeviceInterfaceData);

// Without a buffer (null, size 0): FALSE with ERROR_INSUFFICIENT_BUFFER and *RequiredSize set to
// the bytes the record needs. With a buffer of at least that size whose cbSize is the header size:
// TRUE and the record holds the NUL-terminated device path.
BOOL SetupDiGetDeviceInterfaceDetailW(HDEVINFO DeviceInfoSet,
                                      PSP_DEVICE_INTERFACE_DATA DeviceInterfaceData,
                                      PSP_DEVICE_INTERFACE_DETAIL_DATA_W DeviceInterfaceDetailData,
                                      DWORD DeviceInterfaceDetailDataSize, PDWORD RequiredSize,
                                      PSP_DEVINFO_DATA DeviceInfoData);

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet);

// ---- HID services (hidsdi, hidpi)
// ----------------------------------------------------------------

struct HIDD_ATTRIBUTES {
  ULONG Size;
  USHORT VendorID;
  USHORT ProductID;
  USHORT VersionNumber;
};
using PHIDD_ATTRIBUTES = HIDD_ATTRIBUTES*;

struct HIDP_PREPARSED_DATA;
using PHIDP_PREPARSED_DATA = HIDP_PREPARSED_DATA*;

// Report lengths count the report-number byte, as on Windows. The button/value counts are not
// worked out and stay 0; the program reads none of them.
struct HIDP_CAPS {
  USAGE Usage;
  USAGE UsagePage;
  USHORT InputReportByteLength;
  USHORT OutputReportByteLength;
  USHORT FeatureReportByteLength;
  USHORT Reserved[17];
  USHORT NumberLinkCollectionNodes;
  USHORT NumberInputButtonCaps;
  USHORT NumberInputValueCaps;
  USHORT NumberInputDataIndices;
  USHORT NumberOutputButtonCaps;
  USHORT NumberOutputValueCaps;
  USHORT NumberOutputDataIndices;
  USHORT NumberFeatureButtonCaps;
  USHORT NumberFeatureValueCaps;
  USHORT NumberFeatureDataIndices;
};
using PHIDP_CAPS = HIDP_CAPS*;

constexpr NTSTATUS HIDP_STATUS_SUCCESS = 0x00110000;
constexpr NTSTATUS HIDP_STATUS_INVALID_PREPARSED_DATA = static_cast<NTSTATUS>(0xC0110001u);

// The HID interface class, {4D1E55B2-F16F-11CF-88CB-001111000030}.
void HidD_GetHidGuid(LPGUID HidGuid);

BOOLEAN HidD_GetAttributes(HANDLE HidDeviceObject, PHIDD_ATTRIBUTES Attributes);

// Reads the interface's report descriptor. FALSE when the device cannot give it.
BOOLEAN HidD_GetPreparsedData(HANDLE HidDeviceObject, PHIDP_PREPARSED_DATA* PreparsedData);
BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA PreparsedData);

// HIDP_STATUS_INVALID_PREPARSED_DATA for a stale block or a descriptor that does not parse.
NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA PreparsedData, PHIDP_CAPS Capabilities);

// ---- Files on device paths
// -----------------------------------------------------------------------

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD OPEN_EXISTING = 3;

// Opens a HID device path from the interface detail record. The device is always shared with other
// openers. INVALID_HANDLE_VALUE on failure: ERROR_FILE_NOT_FOUND (no such device),
// ERROR_ACCESS_DENIED (this user may not open it), ERROR_GEN_FAILURE (it would not open for another
// reason), ERROR_INVALID_PARAMETER (a disposition other than OPEN_EXISTING).
HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);

// Synchronous only (lpOverlapped must be null). A write moves exactly one 65-byte report. A read
// needs room for 65 bytes, fills bytes 1..64 with the input report and keeps byte 0; it waits at
// most hid::kReadTimeoutMs and then fails with ERROR_TIMEOUT, leaving the buffer as it was. A
// device that is gone fails with ERROR_DEVICE_NOT_CONNECTED. The byte counts may be null.
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);
BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);

// CloseHandle (platform/base/kernel_handle.h) closes a device handle from CreateFileW.
