// Windows base types, handles and helper macros of the platform layer.
//
// The program above the layer is written in Windows terms, so the layer keeps Windows' names,
// sizes and semantics: a COLORREF keeps red in the low byte, a handle is an opaque value that is
// never dereferenced, strings are wide (wchar_t; UTF-32 on this system).
#pragma once

#include <cstddef>
#include <cstdint>

// The calling-convention marker of Windows' callback declarations; there is one convention here.
#define CALLBACK

using BOOL = int;
constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using ATOM = WORD;

using WCHAR = wchar_t;
using LPWSTR = wchar_t*;
using LPCWSTR = const wchar_t*;
using LPVOID = void*;
using LPCVOID = const void*;

// Opaque handles. Each kind is its own pointer type, as with STRICT on Windows; the generic
// HANDLE and HGDIOBJ accept any of them.
#define HALCYRA_DECLARE_HANDLE(name) \
  struct name##__;                   \
  using name = name##__*

HALCYRA_DECLARE_HANDLE(HWND);
HALCYRA_DECLARE_HANDLE(HDC);
HALCYRA_DECLARE_HANDLE(HBITMAP);
HALCYRA_DECLARE_HANDLE(HRGN);
HALCYRA_DECLARE_HANDLE(HFONT);
HALCYRA_DECLARE_HANDLE(HBRUSH);
HALCYRA_DECLARE_HANDLE(HPEN);
HALCYRA_DECLARE_HANDLE(HICON);
HALCYRA_DECLARE_HANDLE(HMENU);
HALCYRA_DECLARE_HANDLE(HINSTANCE);
HALCYRA_DECLARE_HANDLE(HRSRC);
HALCYRA_DECLARE_HANDLE(HGLOBAL);
#undef HALCYRA_DECLARE_HANDLE

using HANDLE = void*;
using HGDIOBJ = void*;
using HMODULE = HINSTANCE;
using HCURSOR = HICON;

// The invalid-handle value: all bits set.
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(~std::uintptr_t{0});

using BOOLEAN = BYTE;

// Guarded as in Windows' guiddef.h, so that a header defining GUID the same way composes.
#ifndef GUID_DEFINED
#define GUID_DEFINED
struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};
#endif
using LPGUID = GUID*;
using LPCGUID = const GUID*;

using COLORREF = DWORD;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
         (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) {
  return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
  return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
  return static_cast<BYTE>((c >> 16) & 0xFF);
}

struct POINT {
  LONG x;
  LONG y;
};

struct SIZE {
  LONG cx;
  LONG cy;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

using LPPOINT = POINT*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;

constexpr WORD LOWORD(DWORD_PTR v) {
  return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(DWORD_PTR v) {
  return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr BYTE LOBYTE(DWORD_PTR v) {
  return static_cast<BYTE>(v & 0xFF);
}
constexpr DWORD MAKELONG(WORD lo, WORD hi) {
  return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16);
}
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) {
  return static_cast<WPARAM>(MAKELONG(lo, hi));
}
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) {
  return static_cast<LPARAM>(static_cast<std::int32_t>(MAKELONG(lo, hi)));
}
// Mouse coordinates in lParam are signed 16-bit values (negative under capture).
constexpr int GET_X_LPARAM(LPARAM lp) {
  return static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lp)));
}
constexpr int GET_Y_LPARAM(LPARAM lp) {
  return static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(lp)));
}

// Resource identifiers: an integer identifier travels in a pointer-sized name.
inline LPCWSTR MAKEINTRESOURCEW(UINT id) {
  return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id)));
}
inline bool IS_INTRESOURCE(LPCWSTR name) {
  return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0;
}

// Last-error codes the layer reports.
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
constexpr DWORD ERROR_DEVICE_NOT_CONNECTED = 1167;
constexpr DWORD ERROR_TIMEOUT = 1460;
constexpr DWORD ERROR_INVALID_USER_BUFFER = 1784;
constexpr DWORD ERROR_RESOURCE_NOT_FOUND = 1814;

// The calling thread's last error (one UI thread; kept per thread all the same).
DWORD GetLastError();
void SetLastError(DWORD code);
