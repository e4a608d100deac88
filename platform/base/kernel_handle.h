// Kernel handles: the values behind HANDLE for objects that CloseHandle ends (devices,
// semaphores). Each part of the layer keeps its own objects and registers a close handler here, so
// that one CloseHandle serves them all and no two parts ever hand out the same value.
#pragma once

#include <cstddef>
#include <cstdint>

#include "unique_handle.h"
#include "windef.h"

namespace base {

// A fresh handle value for a kernel object: never 0, never INVALID_HANDLE_VALUE, never handed out
// twice in a process. The object counts as open until CloseHandle ends it or its part calls
// DropKernelHandle.
std::uintptr_t NewKernelHandleValue();
// A value from the same sequence for a handle that CloseHandle does not end (a device information
// set, preparsed data): it cannot be mistaken for a kernel handle and is not counted as one.
std::uintptr_t NewOtherHandleValue();
// For a part that ends one of its kernel objects without CloseHandle (all at once, on a reset).
void DropKernelHandle();
// The kernel handles open in the process, so that a test can tell a leak.
std::size_t OpenKernelHandleCount();

// Called by CloseHandle with the handle; returns true when it owned (and has now closed) it.
using CloseHandler = bool (*)(HANDLE handle);
// Adding the same handler twice is harmless.
void AddCloseHandler(CloseHandler handler);

}  // namespace base

// Closes a kernel handle. FALSE with ERROR_INVALID_HANDLE when no part of the layer owns it.
BOOL CloseHandle(HANDLE handle);

namespace base {

// Either failure value (0 or INVALID_HANDLE_VALUE) means there is nothing to close.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static bool Owns(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
  static void Release(HANDLE handle) { ::CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

}  // namespace base
