// CWnd: a C++ object attached to a window of the window system.
//
// Create/CreateEx attach the object to the new window before the window's first message, by a
// creation hook, and take over its window procedure: from WM_NCCREATE on, every message reaches
// the object's virtual WindowProc, which looks the message up in the message map and passes what
// it does not handle on to the window's original procedure (DefWindowProc). A skinned control thus
// creates a standard "Button" or "msctls_trackbar32" window, sees its WM_CREATE, and leaves the
// rest to the standard behaviour underneath.
#pragma once

#include "activex.h"
#include "cstring.h"
#include "dc.h"
#include "geometry.h"
#include "msgmap.h"
#include "winuser.h"

class CMenu;
struct CCreateContext;  // never defined: the parameter exists for overrides' signatures

// Modal-loop flags (RunModalLoop).
constexpr DWORD MLF_NOIDLEMSG = 0x0001;
constexpr DWORD MLF_NOKICKIDLE = 0x0002;
constexpr DWORD MLF_SHOWONIDLE = 0x0004;

class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)

 public:
  HWND m_hWnd = nullptr;

  CWnd() = default;
  // Destroys a window that is still attached (after giving it back its own procedure, so that no
  // message reaches the half-destroyed object).
  ~CWnd() override;

  // The object attached to `hwnd`, or a temporary wrapper (valid until the next idle moment of a
  // message loop) when none is; null for a null handle.
  static CWnd* FromHandle(HWND hwnd);
  // The object attached to `hwnd`, or null.
  static CWnd* FromHandlePermanent(HWND hwnd);

  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }  // NOLINT(google-explicit-constructor)

  // Attaches the object to an existing window without touching its procedure.
  BOOL Attach(HWND hwnd);
  HWND Detach();
  // Attaches the object and routes the window's messages through it.
  BOOL SubclassWindow(HWND hwnd);
  HWND UnsubclassWindow();
  // The framework's temporary wrappers borrow a handle without entering the permanent map.
  void AttachTemporary(HWND hwnd) { m_hWnd = hwnd; }
  void DetachTemporary() { m_hWnd = nullptr; }

  // ---- Creation. className null: a plain framework window class.
  virtual BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                      CWnd* parent, UINT id, CCreateContext* context = nullptr);
  virtual BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                        int y, int width, int height, HWND parent, HMENU idOrMenu,
                        LPVOID param = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id, LPVOID param = nullptr);
  virtual BOOL DestroyWindow();

  // ---- ActiveX controls. The container knows no control: creation fails and leaves no window.
  BOOL CreateControl(REFCLSID clsid, LPCWSTR windowName, DWORD style, const RECT& rect,
                     CWnd* parent, UINT id, void* persist = nullptr, BOOL storage = FALSE,
                     BSTR licenseKey = nullptr);
  // Calls a method or property of the hosted control; without one it does nothing (a VT_DISPATCH
  // result comes back null).
  void InvokeHelper(DISPID dispid, WORD flags, VARTYPE vtRet, void* pvRet, const BYTE* paramInfo,
                    ...);
  // A property read of the hosted control: InvokeHelper with DISPATCH_PROPERTYGET.
  void GetProperty(DISPID dispid, VARTYPE vtProp, void* pvProp) const;

  // ---- Message handling.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // The window's original procedure (the class's own, or what was there before subclassing).
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // WM_COMMAND: routes the command through the message map (OnCmdMsg). TRUE when handled.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // WM_NOTIFY: routes the notification through the message map's WM_NOTIFY entries.
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Called by the framework's message loops for each message before it is dispatched, for this
  // window and each parent (owner) up to the application's main window; TRUE eats the message.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Called after the window's last message (WM_NCDESTROY), once the object is detached.
  virtual void PostNcDestroy() {}
  // Passes the message being handled, unchanged, to DefWindowProc.
  LRESULT Default();
  const MSG* GetCurrentMessage() const { return &m_currentMsg; }
  static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

  // ---- Modal loops (used by dialogs).
  int RunModalLoop(DWORD flags = 0);
  virtual BOOL ContinueModal() { return (m_nFlags & kContinueModal) != 0; }
  virtual void EndModalLoop(int result);

  // ---- Window operations.
  BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE) {
    return ::GetUpdateRect(m_hWnd, rect, erase);
  }
  void SetWindowTextW(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
  int GetWindowTextW(LPWSTR buffer, int count) const {
    return ::GetWindowTextW(m_hWnd, buffer, count);
  }
  void GetWindowTextW(CString& text) const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
  CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
  }
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
  void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
  BOOL GetWindowPlacement(WINDOWPLACEMENT* wp) const;
  void ClientToScreen(LPPOINT p) const { ::ClientToScreen(m_hWnd, p); }
  void ClientToScreen(LPRECT r) const;
  void ScreenToClient(LPPOINT p) const { ::ScreenToClient(m_hWnd, p); }
  void ScreenToClient(LPRECT r) const;
  int SetWindowRgn(HRGN rgn, BOOL redraw) { return ::SetWindowRgn(m_hWnd, rgn, redraw); }
  void SetFont(CFont* font, BOOL redraw = TRUE);
  CFont* GetFont() const;
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
  }
  CDC* GetDC();
  int ReleaseDC(CDC* dc);
  CWnd* SetCapture();
  static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
  CWnd* SetFocus();
  static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
  static CWnd* WindowFromPoint(POINT p) { return FromHandle(::WindowFromPoint(p)); }
  // The desktop and the z-order walk over the top-level windows (GW_CHILD, GW_HWNDNEXT, ...);
  // null where the walk ends.
  static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
  CWnd* GetWindow(UINT cmd) const { return FromHandle(::GetWindow(m_hWnd, cmd)); }
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
  CWnd* GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) {
    return ::SetTimer(m_hWnd, id, elapse, proc);
  }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
  CMenu* GetSystemMenu(BOOL revert) const;
  HICON SetIcon(HICON icon, BOOL bigIcon);
  // Turns the framework's automatic tooltips for child controls on or off. They ask the window
  // for their text with TTN_NEEDTEXTW; nothing else is drawn by the framework.
  BOOL EnableToolTips(BOOL enable = TRUE);
  // A message box owned by this window; a null caption gives the application's name.
  int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK);

 protected:
  static constexpr UINT kModalLoop = 0x0001;
  static constexpr UINT kContinueModal = 0x0002;
  static constexpr UINT kToolTips = 0x0004;

  // ---- Default handlers: each passes the current message to DefWindowProc. Derived classes
  // name them in their message maps and call them for the default behaviour.
  int OnCreate(LPCREATESTRUCTW cs);
  void OnDestroy();
  void OnClose();
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnSysCommand(UINT id, LPARAM lParam);
  HCURSOR OnQueryDragIcon();
  LRESULT OnNcHitTest(CPoint point);
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  void OnEnable(BOOL enable);
  void OnTimer(UINT_PTR id);
  void OnSetFocus(CWnd* oldWnd);
  void OnKillFocus(CWnd* newWnd);
  UINT OnGetDlgCode();
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);

  UINT m_nFlags = 0;
  int m_nModalResult = 0;
  WNDPROC m_pfnSuper = nullptr;

 private:
  friend LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  friend LRESULT AfxCbtCreate(HWND hwnd);
  void OnNcDestroyDetach();

  MSG m_currentMsg{};
};

// The window procedure of every window a CWnd is attached to.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Makes `wnd` the object of the next window created on this thread (CreateWindowExW,
// CreateDialogParamW); Unhook returns whether that happened and stops waiting.
void AfxHookWindowCreate(CWnd* wnd);
BOOL AfxUnhookWindowCreate();

// A message pump step of the framework's loops: takes one message (waiting when none is due),
// offers it to PreTranslateMessage along the window's parent chain, dispatches it. FALSE on
// WM_QUIT.
BOOL AfxPumpMessage();
// The message the last pump step took (WM_QUIT with its exit code after the loop ended).
const MSG* AfxGetCurrentMessage();
// What a loop does when it idles: drops the temporary wrappers.
void AfxOnIdle();
