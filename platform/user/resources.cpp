// System metrics, icons and string resources.
#include <cstring>
#include <map>

#include "internal.h"
#include "resource.h"

namespace user {
namespace {

struct Icon {
  HBITMAP bitmap = nullptr;
  int width = 0;
  int height = 0;
};

std::map<HICON, Icon>& Icons() {
  static auto* icons = new std::map<HICON, Icon>();
  return *icons;
}

std::uint32_t Le32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Icons are stored as 24- or 32-bit BMP files; decoded here into a 32-bit bitmap.
HBITMAP DecodeBmp(const unsigned char* data, std::size_t size, int* w, int* h) {
  if (size < 54 || data[0] != 'B' || data[1] != 'M') return nullptr;
  std::uint32_t offset = Le32(data + 10);
  auto width = static_cast<std::int32_t>(Le32(data + 18));
  auto height = static_cast<std::int32_t>(Le32(data + 22));
  unsigned bpp = data[28] | (data[29] << 8);
  std::uint32_t compression = Le32(data + 30);
  if (width <= 0 || width > 4096 || height == 0 || height > 4096 || height < -4096) return nullptr;
  if ((bpp != 24 && bpp != 32) || compression != 0) return nullptr;
  bool bottom_up = height > 0;
  int rows = bottom_up ? height : -height;
  std::size_t stride = ((static_cast<std::size_t>(width) * bpp / 8) + 3) & ~std::size_t{3};
  if (offset > size || stride * static_cast<std::size_t>(rows) > size - offset) return nullptr;
  std::vector<unsigned char> out(static_cast<std::size_t>(width) * rows * 4);
  for (int y = 0; y < rows; ++y) {
    const unsigned char* src =
        data + offset + stride * static_cast<std::size_t>(bottom_up ? rows - 1 - y : y);
    unsigned char* dst = out.data() + static_cast<std::size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) {
      const unsigned char* px = src + static_cast<std::size_t>(x) * (bpp / 8);
      dst[x * 4 + 0] = px[0];
      dst[x * 4 + 1] = px[1];
      dst[x * 4 + 2] = px[2];
      dst[x * 4 + 3] = 0;
    }
  }
  *w = width;
  *h = rows;
  return CreateBitmap(width, rows, 1, 32, out.data());
}

}  // namespace

HICON IconFromResource(UINT id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
  if (!res) return nullptr;
  HGLOBAL g = LoadResource(module, res);
  auto* data = static_cast<const unsigned char*>(LockResource(g));
  DWORD size = SizeofResource(module, res);
  if (!data) return nullptr;
  Icon icon;
  icon.bitmap = DecodeBmp(data, size, &icon.width, &icon.height);
  if (!icon.bitmap) return nullptr;
  static std::uintptr_t next = 0x50000;
  auto h = reinterpret_cast<HICON>(next++);
  Icons()[h] = icon;
  return h;
}

}  // namespace user

using namespace user;

int GetSystemMetrics(int index) {
  host::Rect screen{0, 0, 1280, 800};
  if (CurrentHost()) screen = CurrentHost()->ScreenRect();
  switch (index) {
    case SM_CXSCREEN:
      return screen.Width();
    case SM_CYSCREEN:
      return screen.Height();
    case SM_CYCAPTION:
      return CaptionHeight();
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return DialogFrame();
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
      return 4;
  }
  return 0;
}

HICON LoadIconW(HINSTANCE, LPCWSTR name) {
  if (!name || !IS_INTRESOURCE(name)) return nullptr;
  auto id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name));
  // Each resource is decoded once; the handle is shared, as Windows shares loaded icons.
  static auto* cache = new std::map<UINT, HICON>();
  if (auto it = cache->find(id); it != cache->end()) return it->second;
  HICON icon = IconFromResource(id);
  if (icon) (*cache)[id] = icon;
  return icon;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
  auto it = Icons().find(icon);
  if (it == Icons().end() || !hdc) return FALSE;
  HDC mem = CreateCompatibleDC(hdc);
  if (!mem) return FALSE;
  HGDIOBJ old = SelectObject(mem, it->second.bitmap);
  BOOL ok = BitBlt(hdc, x, y, it->second.width, it->second.height, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  return ok;
}

int LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int count) {
  if (!buffer) return 0;
  static auto* strings = new std::map<UINT, std::wstring>();
  auto it = strings->find(id);
  if (it == strings->end()) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(id), RT_STRING);
    auto* data = res ? static_cast<const char*>(LockResource(LoadResource(module, res))) : nullptr;
    if (!data) {
      if (count > 0) buffer[0] = 0;
      SetLastError(ERROR_RESOURCE_NOT_FOUND);
      return 0;
    }
    std::string text(data, SizeofResource(module, res));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    it = strings->emplace(id, base::FromUtf8(text)).first;
  }
  const std::wstring& s = it->second;
  if (count == 0) {
    *reinterpret_cast<const wchar_t**>(buffer) = s.c_str();
    return static_cast<int>(s.size());
  }
  if (count < 0) return 0;
  int n = std::min<int>(count - 1, static_cast<int>(s.size()));
  std::memcpy(buffer, s.data(), static_cast<std::size_t>(n) * sizeof(wchar_t));
  buffer[n] = 0;
  return n;
}
