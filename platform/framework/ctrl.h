// The standard controls as framework classes: push button, static text, tooltip.
#pragma once

#include "wnd.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

 public:
  using CWnd::Create;
  BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
};

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)

 public:
  using CWnd::Create;
  BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
};

// A tool description with room for the text that GetToolInfo copies out.
class CToolInfo : public TTTOOLINFOW {
 public:
  CToolInfo() : TTTOOLINFOW{} {}
  WCHAR szText[256] = {};
};

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)

 public:
  using CWnd::Create;
  // A tooltip popup owned by `parent` (may be null).
  virtual BOOL Create(CWnd* parent, DWORD style = 0);

  // Registers `wnd` as a tool. Without a rectangle and an identifier the tool is the window itself
  // (TTF_IDISHWND, identifier = its handle) and belongs to its parent window.
  BOOL AddTool(CWnd* wnd, LPCWSTR text = LPSTR_TEXTCALLBACKW, LPCRECT rectTool = nullptr,
               UINT_PTR idTool = 0);
  void DelTool(CWnd* wnd, UINT_PTR idTool = 0);
  // Replaces the text of the tool that AddTool made for `wnd`.
  void UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR idTool = 0);
  // FALSE when `wnd` has no tool here. The text lands in info.szText (a callback tool leaves
  // lpszText as LPSTR_TEXTCALLBACKW).
  BOOL GetToolInfo(CToolInfo& info, CWnd* wnd, UINT_PTR idTool = 0) const;
  int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

  // The automatic delay: initial `delay`, autopop ten times it, reshow a fifth of it.
  void SetDelayTime(UINT delay) {
    SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(static_cast<WORD>(delay), 0));
  }
  // TTDT_AUTOMATIC, TTDT_INITIAL, TTDT_AUTOPOP or TTDT_RESHOW, in milliseconds.
  void SetDelayTime(DWORD duration, int time) {
    SendMessage(TTM_SETDELAYTIME, duration, MAKELPARAM(static_cast<WORD>(time), 0));
  }
  void SetTipTextColor(COLORREF color) { SendMessage(TTM_SETTIPTEXTCOLOR, color); }
  void SetTipBkColor(COLORREF color) { SendMessage(TTM_SETTIPBKCOLOR, color); }
  COLORREF GetTipTextColor() const {
    return static_cast<COLORREF>(SendMessage(TTM_GETTIPTEXTCOLOR));
  }
  COLORREF GetTipBkColor() const { return static_cast<COLORREF>(SendMessage(TTM_GETTIPBKCOLOR)); }
  void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
  // Hands a mouse message to the tooltip, which learns of the pointer only this way.
  void RelayEvent(LPMSG msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
  void Pop() { SendMessage(TTM_POP); }

 protected:
  // Enabling or disabling the tooltip window activates or deactivates its tips.
  void OnEnable(BOOL enable);
  void FillInToolInfo(TTTOOLINFOW& info, CWnd* wnd, UINT_PTR idTool) const;

  DECLARE_MESSAGE_MAP()
};
