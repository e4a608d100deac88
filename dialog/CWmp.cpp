#include "CWmp.h"

IMPLEMENT_DYNCREATE(CWmp, CWnd)

BOOL CWmp::Create(LPCWSTR /*className*/, LPCWSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, CCreateContext* /*context*/) {
  return CreateControl(kWmpClsid, windowName, style, rect, parent, id);
}
