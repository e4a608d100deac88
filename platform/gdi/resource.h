// Resources by identifier: pictures, the icon, strings and dialog templates that the build embeds
// into the program, found the way Windows finds a module's resources.
#pragma once

#include <cstddef>
#include <span>

#include "windef.h"

// Resource types (integer names, as MAKEINTRESOURCE makes them).
constexpr UINT RT_BITMAP_ID = 2;
constexpr UINT RT_DIALOG_ID = 5;
constexpr UINT RT_STRING_ID = 6;
constexpr UINT RT_GROUP_ICON_ID = 14;
inline LPCWSTR const RT_BITMAP = reinterpret_cast<LPCWSTR>(ULONG_PTR{RT_BITMAP_ID});
inline LPCWSTR const RT_DIALOG = reinterpret_cast<LPCWSTR>(ULONG_PTR{RT_DIALOG_ID});
inline LPCWSTR const RT_STRING = reinterpret_cast<LPCWSTR>(ULONG_PTR{RT_STRING_ID});
inline LPCWSTR const RT_GROUP_ICON = reinterpret_cast<LPCWSTR>(ULONG_PTR{RT_GROUP_ICON_ID});

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC res);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC res);

// Decodes bitmap resource `name` (a 24-bit BMP file) into a new colour bitmap; null when it is
// missing or malformed.
HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);

namespace gdi {

// One embedded resource. Bitmaps and icons are BMP files; a string is UTF-8 text; a dialog
// template is the text format that the window system reads.
struct ResourceEntry {
  UINT type = 0;
  UINT id = 0;
  const unsigned char* data = nullptr;
  std::size_t size = 0;
};

// The table that resource look-ups search. The build's embedded table is installed by the
// programs at start; tests may install their own. The entries must outlive their use.
void SetResourceTable(std::span<const ResourceEntry> entries);
std::span<const ResourceEntry> GetResourceTable();

// Decodes a BMP picture held in memory (a file image, with or without its file header) into a new
// colour bitmap; null when it is malformed. For pictures that are not RT_BITMAP resources, such as
// the icon.
HBITMAP DecodeBitmap(const void* data, std::size_t size);

}  // namespace gdi
