// Device contexts: CDC wraps an HDC; CPaintDC brackets BeginPaint/EndPaint; CClientDC brackets
// GetDC/ReleaseDC.
#pragma once

#include "gdi_object.h"
#include "geometry.h"
#include "winuser.h"

class CWnd;

class CDC : public CObject {
 public:
  HDC m_hDC = nullptr;        // where output goes
  HDC m_hAttribDC = nullptr;  // where attributes are read (the same context here)
  BOOL m_bPrinting = FALSE;

  CDC() = default;
  // Deletes a context it still holds (one made with CreateCompatibleDC or attached).
  ~CDC() override;

  // A wrapper for a context nobody wrapped; it borrows the handle until the next idle moment.
  static CDC* FromHandle(HDC hdc);
  static void DeleteTempMap();
  // Drops the temporary wrapper of a context that was just released.
  static void ReleaseTemporary(HDC hdc);

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }  // NOLINT(google-explicit-constructor)
  BOOL Attach(HDC hdc);
  HDC Detach();
  void AttachTemporary(HDC hdc) {
    m_hDC = hdc;
    m_hAttribDC = hdc;
  }
  void DetachTemporary() {
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
  }

  // A memory context compatible with pDC (null: the screen).
  BOOL CreateCompatibleDC(CDC* pDC);
  BOOL DeleteDC();
  BOOL IsPrinting() const { return m_bPrinting; }

  // ---- Objects
  CGdiObject* SelectObject(CGdiObject* obj);
  CBitmap* SelectObject(CBitmap* bitmap);
  CBrush* SelectObject(CBrush* brush);
  CPen* SelectObject(CPen* pen);
  CFont* SelectObject(CFont* font);
  int SelectObject(CRgn* rgn);  // sets the clip; returns the region type
  HGDIOBJ SelectObject(HGDIOBJ obj);
  CBitmap* GetCurrentBitmap() const;
  CFont* GetCurrentFont() const;

  // ---- Attributes
  COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
  COLORREF GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
  COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
  COLORREF GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  int GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
  int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
  int GetStretchBltMode() const { return ::GetStretchBltMode(m_hAttribDC); }

  // ---- Coordinates
  int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
  int GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
  CPoint GetWindowOrg() const;
  CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
  CSize GetWindowExt() const;
  CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
  CSize GetViewportExt() const;
  void LPtoDP(LPPOINT points, int count = 1) const { ::LPtoDP(m_hAttribDC, points, count); }
  void LPtoDP(LPRECT rect) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(rect), 2); }
  void DPtoLP(LPPOINT points, int count = 1) const { ::DPtoLP(m_hAttribDC, points, count); }
  void DPtoLP(LPRECT rect) const { ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(rect), 2); }

  // ---- Clipping
  int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }
  int SelectClipRgn(CRgn* rgn) {
    return ::SelectClipRgn(m_hDC, rgn != nullptr ? static_cast<HRGN>(*rgn) : nullptr);
  }

  // ---- Drawing
  BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
  BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, DWORD rop);
  void FillRect(LPCRECT rect, CBrush* brush);
  // Fills with a solid colour; the background colour of the context is left as it was.
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
  COLORREF GetPixel(POINT p) const { return ::GetPixel(m_hDC, p.x, p.y); }
  COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
  BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
  BOOL LineTo(POINT p) { return ::LineTo(m_hDC, p.x, p.y); }
  BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }

  // ---- Text
  BOOL TextOutW(int x, int y, LPCWSTR text, int count);
  BOOL TextOutW(int x, int y, LPCWSTR text);
  int DrawTextW(LPCWSTR text, int count, LPRECT rect, UINT format) {
    return ::DrawTextW(m_hDC, text, count, rect, format);
  }
  int DrawTextW(LPCWSTR text, LPRECT rect, UINT format) {
    return ::DrawTextW(m_hDC, text, -1, rect, format);
  }
  BOOL GetTextMetrics(TEXTMETRICW* tm) const { return ::GetTextMetricsW(m_hAttribDC, tm); }
  CSize GetTextExtent(LPCWSTR text, int count) const;
};

// The painting context of one WM_PAINT: BeginPaint at construction, EndPaint at destruction.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps{};

 protected:
  HWND m_hWnd = nullptr;
};

// The client-area context of a window (GetDC), released at destruction.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd = nullptr;
};
