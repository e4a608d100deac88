#include "kernel_handle.h"

#include <algorithm>
#include <vector>

namespace base {
namespace {

// Plain values, so they stay usable while other statics are destroyed at exit.
std::uintptr_t g_next_value = 0x4000;
std::size_t g_open_kernel_handles = 0;

std::vector<CloseHandler>& Handlers() {
  static std::vector<CloseHandler> handlers;
  return handlers;
}

}  // namespace

std::uintptr_t NewOtherHandleValue() {
  // Multiples of 4 from 0x4000, as Windows hands out kernel handles.
  g_next_value += 4;
  return g_next_value;
}

std::uintptr_t NewKernelHandleValue() {
  ++g_open_kernel_handles;
  return NewOtherHandleValue();
}

void DropKernelHandle() {
  if (g_open_kernel_handles > 0) --g_open_kernel_handles;
}

std::size_t OpenKernelHandleCount() {
  return g_open_kernel_handles;
}

void AddCloseHandler(CloseHandler handler) {
  auto& handlers = Handlers();
  if (std::find(handlers.begin(), handlers.end(), handler) == handlers.end()) {
    handlers.push_back(handler);
  }
}

}  // namespace base

BOOL CloseHandle(HANDLE handle) {
  for (base::CloseHandler handler : base::Handlers()) {
    if (handler(handle)) {
      base::DropKernelHandle();
      return TRUE;
    }
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}
