#include "gdi_object.h"

#include "app.h"
#include "dc.h"
#include "resource.h"
#include "temp_map.h"

namespace {

afx_internal::TempMap<CBitmap, HBITMAP>& TempBitmaps() {
  static afx_internal::TempMap<CBitmap, HBITMAP> map;
  return map;
}
afx_internal::TempMap<CBrush, HBRUSH>& TempBrushes() {
  static afx_internal::TempMap<CBrush, HBRUSH> map;
  return map;
}
afx_internal::TempMap<CPen, HPEN>& TempPens() {
  static afx_internal::TempMap<CPen, HPEN> map;
  return map;
}
afx_internal::TempMap<CFont, HFONT>& TempFonts() {
  static afx_internal::TempMap<CFont, HFONT> map;
  return map;
}
afx_internal::TempMap<CRgn, HRGN>& TempRgns() {
  static afx_internal::TempMap<CRgn, HRGN> map;
  return map;
}

}  // namespace

void afx_internal::DeleteTempGdiMaps() {
  TempBitmaps().Clear();
  TempBrushes().Clear();
  TempPens().Clear();
  TempFonts().Clear();
  TempRgns().Clear();
  CDC::DeleteTempMap();
}

BOOL CGdiObject::Attach(HGDIOBJ handle) {
  if (handle == nullptr) return FALSE;
  DeleteObject();
  m_hObject = handle;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (m_hObject == nullptr) return FALSE;
  HGDIOBJ h = Detach();
  return ::DeleteObject(h);
}

CBitmap* CBitmap::FromHandle(HBITMAP handle) {
  return handle != nullptr ? TempBitmaps().Get(handle) : nullptr;
}

BOOL CBitmap::LoadBitmap(UINT id) {
  LPCWSTR name = MAKEINTRESOURCEW(id);
  return Attach(::LoadBitmapW(AfxFindResourceHandle(name, RT_BITMAP), name));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                           const void* bits) {
  return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int width, int height) {
  return Attach(::CreateCompatibleBitmap(pDC != nullptr ? pDC->m_hDC : nullptr, width, height));
}

CBrush* CBrush::FromHandle(HBRUSH handle) {
  return handle != nullptr ? TempBrushes().Get(handle) : nullptr;
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
  return Attach(::CreateSolidBrush(color));
}

CPen* CPen::FromHandle(HPEN handle) {
  return handle != nullptr ? TempPens().Get(handle) : nullptr;
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
  return Attach(::CreatePen(style, width, color));
}

CFont* CFont::FromHandle(HFONT handle) {
  return handle != nullptr ? TempFonts().Get(handle) : nullptr;
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* lf) {
  return Attach(::CreateFontIndirectW(lf));
}

CRgn* CRgn::FromHandle(HRGN handle) {
  return handle != nullptr ? TempRgns().Get(handle) : nullptr;
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
  return Attach(::CreateRectRgn(left, top, right, bottom));
}

BOOL CRgn::CreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h) {
  return Attach(::CreateRoundRectRgn(left, top, right, bottom, w, h));
}

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode) {
  return Attach(::CreatePolygonRgn(points, count, fillMode));
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
  return ::CombineRgn(*this, a != nullptr ? static_cast<HRGN>(*a) : nullptr,
                      b != nullptr ? static_cast<HRGN>(*b) : nullptr, mode);
}
