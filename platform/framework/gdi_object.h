// Owners of graphics objects: each deletes the object it holds when it is destroyed, unless the
// handle was detached first.
#pragma once

#include "object.h"
#include "wingdi.h"

class CDC;

class CGdiObject : public CObject {
 public:
  HGDIOBJ m_hObject = nullptr;

  CGdiObject() = default;
  ~CGdiObject() override { DeleteObject(); }

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }  // NOLINT(google-explicit-constructor)

  BOOL Attach(HGDIOBJ handle);
  HGDIOBJ Detach();
  // Deletes the held object; FALSE when there is none or the layer refuses.
  BOOL DeleteObject();
  int GetObject(int count, LPVOID buffer) const { return ::GetObjectW(m_hObject, count, buffer); }

  // Used by the framework's temporary wrappers.
  void AttachTemporary(HGDIOBJ handle) { m_hObject = handle; }
  void DetachTemporary() { m_hObject = nullptr; }
};

class CBitmap : public CGdiObject {
 public:
  static CBitmap* FromHandle(HBITMAP handle);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }  // NOLINT

  // Loads bitmap resource `id` of the program.
  BOOL LoadBitmap(UINT id);
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  BOOL CreateCompatibleBitmap(CDC* pDC, int width, int height);
  int GetBitmap(BITMAP* bm) const { return GetObject(sizeof(BITMAP), bm); }
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  static CBrush* FromHandle(HBRUSH handle);
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }  // NOLINT

  BOOL CreateSolidBrush(COLORREF color);
};

class CPen : public CGdiObject {
 public:
  static CPen* FromHandle(HPEN handle);
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }  // NOLINT

  BOOL CreatePen(int style, int width, COLORREF color);
};

class CFont : public CGdiObject {
 public:
  static CFont* FromHandle(HFONT handle);
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }  // NOLINT

  BOOL CreateFontIndirect(const LOGFONTW* lf);
};

class CRgn : public CGdiObject {
 public:
  static CRgn* FromHandle(HRGN handle);
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }  // NOLINT

  BOOL CreateRectRgn(int left, int top, int right, int bottom);
  BOOL CreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h);
  BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode);
  int CombineRgn(const CRgn* a, const CRgn* b, int mode);
  BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
};
