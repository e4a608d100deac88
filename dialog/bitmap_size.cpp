#include "bitmap_size.h"

SIZE BitmapSize(UINT id) {
  SIZE size{0, 0};
  LPCWSTR name = MAKEINTRESOURCEW(id);
  HBITMAP bitmap = ::LoadBitmapW(AfxFindResourceHandle(name, RT_BITMAP), name);
  if (bitmap == nullptr) return size;
  BITMAP bm{};
  if (::GetObjectW(bitmap, sizeof bm, &bm) != 0) size = {bm.bmWidth, bm.bmHeight};
  ::DeleteObject(bitmap);
  return size;
}
