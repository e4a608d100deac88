// Kernel handles: the values behind HANDLE for objects that CloseHandle ends (devices,
// semaphores). Each part of the layer keeps its own objects and registers a close handler here, so
// that one CloseHandle serves them all and no two parts ever hand out the same value.
#pragma once

#include <cstdint>

#include "windef.h"

namespace base {

// A fresh handle value: never 0, never INVALID_HANDLE_VALUE, never handed out twice in a process.
std::uintptr_t NewKernelHandleValue();

// Called by CloseHandle with the handle; returns true when it owned (and has now closed) it.
using CloseHandler = bool (*)(HANDLE handle);
// Adding the same handler twice is harmless.
void AddCloseHandler(CloseHandler handler);

}  // namespace base

// Closes a kernel handle. FALSE with ERROR_INVALID_HANDLE when no part of the layer owns it.
BOOL CloseHandle(HANDLE handle);
