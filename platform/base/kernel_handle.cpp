#include "kernel_handle.h"

#include <algorithm>
#include <vector>

namespace base {
namespace {

std::vector<CloseHandler>& Handlers() {
  static std::vector<CloseHandler> handlers;
  return handlers;
}

}  // namespace

std::uintptr_t NewKernelHandleValue() {
  // Multiples of 4 from 0x4000, as Windows hands out kernel handles.
  static std::uintptr_t next = 0x4000;
  next += 4;
  return next;
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
    if (handler(handle)) return TRUE;
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}
