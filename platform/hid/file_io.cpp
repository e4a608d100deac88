// Files on HID device paths: open, one-report writes and bounded reads, close.
#include <algorithm>
#include <cstring>

#include "hid_state.h"
#include "kernel_handle.h"
#include "winhid.h"

namespace {

hid::detail::OpenDevice* FindOpen(HANDLE handle) {
  auto& devices = hid::detail::State().devices;
  auto it = devices.find(hid::detail::Key(handle));
  return it == devices.end() ? nullptr : &it->second;
}

// Common checks of WriteFile and ReadFile; null when the call must fail (last error set).
hid::detail::OpenDevice* CheckTransfer(HANDLE handle, const void* buffer, DWORD access,
                                       LPOVERLAPPED overlapped) {
  hid::detail::OpenDevice* open = FindOpen(handle);
  if (open == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (buffer == nullptr || overlapped != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if ((open->access & access) == 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return open;
}

}  // namespace

HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD /*dwShareMode*/,
                   LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, DWORD dwCreationDisposition,
                   DWORD /*dwFlagsAndAttributes*/, HANDLE /*hTemplateFile*/) {
  // Sharing is not asked for: a HID device here is always open to other openers too.
  if (lpFileName == nullptr || dwCreationDisposition != OPEN_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  auto& state = hid::detail::State();
  std::string path;
  if (!state.backend || !hid::detail::NarrowPath(lpFileName, path) || path.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::unique_ptr<hid::Device> device = state.backend->Open(path);
  if (!device) {
    // The backend does not say why; a missing device is by far the likeliest.
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  base::AddCloseHandler(&hid::detail::CloseDeviceHandle);
  const auto value = state.NewDeviceHandleValue();
  state.devices.emplace(value, hid::detail::OpenDevice{std::move(device), dwDesiredAccess});
  return hid::detail::AsHandle<void>(value);
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = 0;
  hid::detail::OpenDevice* open = CheckTransfer(hFile, lpBuffer, GENERIC_WRITE, lpOverlapped);
  if (open == nullptr) return FALSE;
  if (nNumberOfBytesToWrite != hid::kReportSize) {
    SetLastError(ERROR_INVALID_USER_BUFFER);
    return FALSE;
  }
  hid::Report report;
  std::memcpy(report.data(), lpBuffer, report.size());
  if (!open->device->Write(report)) {
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return FALSE;
  }
  if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = hid::kReportSize;
  return TRUE;
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesRead != nullptr) *lpNumberOfBytesRead = 0;
  hid::detail::OpenDevice* open = CheckTransfer(hFile, lpBuffer, GENERIC_READ, lpOverlapped);
  if (open == nullptr) return FALSE;
  if (nNumberOfBytesToRead < hid::kReportSize) {
    SetLastError(ERROR_INVALID_USER_BUFFER);
    return FALSE;
  }
  // Read into a copy so the caller's buffer only changes when a report arrived.
  hid::Report report;
  std::memcpy(report.data(), lpBuffer, report.size());
  switch (open->device->Read(report)) {
    case hid::ReadResult::kOk:
      break;
    case hid::ReadResult::kTimeout:
      SetLastError(ERROR_TIMEOUT);
      return FALSE;
    case hid::ReadResult::kFailed:
      SetLastError(ERROR_DEVICE_NOT_CONNECTED);
      return FALSE;
  }
  std::memcpy(lpBuffer, report.data(), report.size());
  if (lpNumberOfBytesRead != nullptr) *lpNumberOfBytesRead = hid::kReportSize;
  return TRUE;
}

namespace hid::detail {

bool CloseDeviceHandle(HANDLE handle) {
  return State().devices.erase(Key(handle)) != 0;
}

}  // namespace hid::detail
