// The kernel services the program needs: a named semaphore as a single-instance marker, the module
// handle and file name, the current thread, and a case-insensitive string comparison.
#pragma once

#include "kernel_handle.h"
#include "windef.h"

struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

// A semaphore, used as a marker that other processes of the same user can see by its name. When
// the name already existed the handle opens it and GetLastError() gives ERROR_ALREADY_EXISTS;
// otherwise ERROR_SUCCESS. A name exists while some handle to it is open, in any process: it goes
// away with the last handle, also when its holders end without closing it. Counts are kept by
// nothing: the semaphore is never waited on or released. Null on failure.
HANDLE CreateSemaphoreW(LPSECURITY_ATTRIBUTES attributes, LONG initialCount, LONG maximumCount,
                        LPCWSTR name);
// CloseHandle (kernel_handle.h) closes a semaphore handle.

// The module handle of the program (null name) or null. There is one module: the executable.
HMODULE GetModuleHandleW(LPCWSTR moduleName);
// The executable's full path; returns the number of characters copied (without the terminator).
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
DWORD GetCurrentThreadId();

// Compares two strings without regard to case: negative, 0 or positive as `a` sorts before, with
// or after `b`. A null string sorts before every other string.
int lstrcmpiW(LPCWSTR a, LPCWSTR b);
