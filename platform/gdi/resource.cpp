// Resources by identifier over the installed table, and bitmaps decoded from them.
#include "resource.h"

#include <cwchar>

#include "bmp_decoder.h"
#include "objects.h"

using namespace gdi::detail;

namespace {

struct ResourceState {
  std::span<const gdi::ResourceEntry> table;
  // Bumped whenever a table is installed: a resource handle names the table it came from, so a
  // handle that outlives its table fails instead of naming another entry.
  std::uintptr_t generation = 1;
};

ResourceState& State() {
  static ResourceState state;
  return state;
}

constexpr unsigned kIndexBits = 24;

void* Encode(std::size_t index) {
  return reinterpret_cast<void*>((State().generation << kIndexBits) | (index + 1));
}

const gdi::ResourceEntry* Decode(const void* handle) {
  const auto v = reinterpret_cast<std::uintptr_t>(handle);
  if ((v >> kIndexBits) != State().generation) return nullptr;
  const std::uintptr_t index = (v & ((std::uintptr_t{1} << kIndexBits) - 1));
  if (index == 0 || index > State().table.size()) return nullptr;
  return &State().table[index - 1];
}

// An integer resource name, or a string "#123".
bool IdOf(LPCWSTR name, UINT* id) {
  if (!name) return false;
  if (IS_INTRESOURCE(name)) {
    *id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name));
    return true;
  }
  if (name[0] != L'#' || name[1] == 0) return false;
  UINT v = 0;
  for (const wchar_t* p = name + 1; *p; ++p) {
    if (*p < L'0' || *p > L'9' || v > 0xFFFF) return false;
    v = v * 10 + static_cast<UINT>(*p - L'0');
  }
  if (v > 0xFFFF) return false;
  *id = v;
  return true;
}

}  // namespace

HRSRC FindResourceW(HMODULE, LPCWSTR name, LPCWSTR type) {
  UINT id = 0, type_id = 0;
  if (IdOf(name, &id) && IdOf(type, &type_id)) {
    const auto table = State().table;
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (table[i].type == type_id && table[i].id == id) return static_cast<HRSRC>(Encode(i));
    }
  }
  SetLastError(ERROR_RESOURCE_NOT_FOUND);
  return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC res) {
  return Decode(res) ? reinterpret_cast<HGLOBAL>(res) : nullptr;
}

LPVOID LockResource(HGLOBAL data) {
  const gdi::ResourceEntry* e = Decode(data);
  return e ? const_cast<unsigned char*>(e->data) : nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC res) {
  const gdi::ResourceEntry* e = Decode(res);
  return e ? static_cast<DWORD>(e->size) : 0;
}

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
  HRSRC res = FindResourceW(instance, name, RT_BITMAP);
  const gdi::ResourceEntry* e = Decode(res);
  if (!e || !e->data) return nullptr;
  return gdi::DecodeBitmap(e->data, e->size);
}

namespace gdi {

void SetResourceTable(std::span<const ResourceEntry> entries) {
  State().table = entries;
  ++State().generation;
}

std::span<const ResourceEntry> GetResourceTable() {
  return State().table;
}

HBITMAP DecodeBitmap(const void* data, std::size_t size) {
  if (!data) return nullptr;
  auto image = DecodeBmp(std::span(static_cast<const std::uint8_t*>(data), size));
  if (!image) return nullptr;
  Bitmap bm;
  bm.width = image->width;
  bm.height = image->height;
  bm.pixels = std::move(image->pixels);
  return static_cast<HBITMAP>(AddObject(std::move(bm)));
}

}  // namespace gdi
