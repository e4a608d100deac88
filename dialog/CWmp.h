// The media player member of the main window: a window that hosts the media player ActiveX
// control. Nothing is played; the window only exists where the control is installed, and its
// creation fails quietly elsewhere.
#pragma once

#include "afxwin.h"

// The media player control's class identifier.
inline constexpr CLSID kWmpClsid = {
    0x6BF52A52, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};

class CWmp : public CWnd {
  DECLARE_DYNCREATE(CWmp)

 public:
  CWmp() = default;
  ~CWmp() override = default;

  // Creates the control instead of a plain window; `className` is not used.
  BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
              UINT id, CCreateContext* context = nullptr) override;
};
