#include "dc.h"

#include <cwchar>

#include "temp_map.h"
#include "wnd.h"

namespace {

afx_internal::TempMap<CDC, HDC>& TempDCs() {
  static afx_internal::TempMap<CDC, HDC> map;
  return map;
}

HDC SafeHdc(const CDC* dc) {
  return dc != nullptr ? dc->m_hDC : nullptr;
}

}  // namespace

CDC::~CDC() {
  if (m_hDC != nullptr) DeleteDC();
}

CDC* CDC::FromHandle(HDC hdc) {
  return hdc != nullptr ? TempDCs().Get(hdc) : nullptr;
}

void CDC::DeleteTempMap() {
  TempDCs().Clear();
}

void CDC::ReleaseTemporary(HDC hdc) {
  TempDCs().Remove(hdc);
}

BOOL CDC::Attach(HDC hdc) {
  if (hdc == nullptr) return FALSE;
  m_hDC = hdc;
  m_hAttribDC = hdc;
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  m_hDC = nullptr;
  m_hAttribDC = nullptr;
  return h;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
  return Attach(::CreateCompatibleDC(SafeHdc(pDC)));
}

BOOL CDC::DeleteDC() {
  if (m_hDC == nullptr) return FALSE;
  return ::DeleteDC(Detach());
}

CGdiObject* CDC::SelectObject(CGdiObject* obj) {
  if (obj == nullptr) return nullptr;
  HGDIOBJ old = ::SelectObject(m_hDC, obj->m_hObject);
  if (old == nullptr) return nullptr;
  switch (::GetObjectType(old)) {
    case OBJ_BITMAP:
      return CBitmap::FromHandle(static_cast<HBITMAP>(old));
    case OBJ_BRUSH:
      return CBrush::FromHandle(static_cast<HBRUSH>(old));
    case OBJ_PEN:
      return CPen::FromHandle(static_cast<HPEN>(old));
    case OBJ_FONT:
      return CFont::FromHandle(static_cast<HFONT>(old));
    default:
      return nullptr;
  }
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  if (bitmap == nullptr) return nullptr;
  return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* brush) {
  if (brush == nullptr) return nullptr;
  return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush->m_hObject)));
}

CPen* CDC::SelectObject(CPen* pen) {
  if (pen == nullptr) return nullptr;
  return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen->m_hObject)));
}

CFont* CDC::SelectObject(CFont* font) {
  if (font == nullptr) return nullptr;
  return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font->m_hObject)));
}

int CDC::SelectObject(CRgn* rgn) {
  return SelectClipRgn(rgn);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ obj) {
  return ::SelectObject(m_hDC, obj);
}

CBitmap* CDC::GetCurrentBitmap() const {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

CFont* CDC::GetCurrentFont() const {
  return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CPoint CDC::SetWindowOrg(int x, int y) {
  POINT old{0, 0};
  ::SetWindowOrgEx(m_hDC, x, y, &old);
  return old;
}

CPoint CDC::GetWindowOrg() const {
  POINT p{0, 0};
  ::GetWindowOrgEx(m_hAttribDC, &p);
  return p;
}

CSize CDC::SetWindowExt(int cx, int cy) {
  SIZE old{0, 0};
  ::SetWindowExtEx(m_hDC, cx, cy, &old);
  return old;
}

CSize CDC::GetWindowExt() const {
  SIZE s{0, 0};
  ::GetWindowExtEx(m_hAttribDC, &s);
  return s;
}

CSize CDC::SetViewportExt(int cx, int cy) {
  SIZE old{0, 0};
  ::SetViewportExtEx(m_hDC, cx, cy, &old);
  return old;
}

CSize CDC::GetViewportExt() const {
  SIZE s{0, 0};
  ::GetViewportExtEx(m_hAttribDC, &s);
  return s;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop) {
  return ::BitBlt(m_hDC, x, y, width, height, SafeHdc(src), xSrc, ySrc, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                     int srcWidth, int srcHeight, DWORD rop) {
  return ::StretchBlt(m_hDC, x, y, width, height, SafeHdc(src), xSrc, ySrc, srcWidth, srcHeight,
                      rop);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
  ::FillRect(m_hDC, rect, brush != nullptr ? static_cast<HBRUSH>(*brush) : nullptr);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  if (rect == nullptr) return;
  HBRUSH brush = ::CreateSolidBrush(color);
  ::FillRect(m_hDC, rect, brush);
  ::DeleteObject(brush);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  RECT r{x, y, x + cx, y + cy};
  FillSolidRect(&r, color);
}

CPoint CDC::MoveTo(int x, int y) {
  POINT old{0, 0};
  ::MoveToEx(m_hDC, x, y, &old);
  return old;
}

BOOL CDC::TextOutW(int x, int y, LPCWSTR text, int count) {
  return ::TextOutW(m_hDC, x, y, text, count);
}

BOOL CDC::TextOutW(int x, int y, LPCWSTR text) {
  if (text == nullptr) return FALSE;
  return ::TextOutW(m_hDC, x, y, text, static_cast<int>(std::wcslen(text)));
}

CSize CDC::GetTextExtent(LPCWSTR text, int count) const {
  SIZE s{0, 0};
  ::GetTextExtentPoint32W(m_hAttribDC, text, count, &s);
  return s;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd != nullptr ? wnd->m_hWnd : nullptr) {
  Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
  Detach();
  ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd != nullptr ? wnd->m_hWnd : nullptr) {
  Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC() {
  HDC h = Detach();
  if (h != nullptr) ::ReleaseDC(m_hWnd, h);
}
