// Message maps: a static table of (message, handler) entries per class, chained to the table of
// the base class.
//
// A class puts DECLARE_MESSAGE_MAP() in its body and, in its source file,
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialogEx)
//     ON_WM_PAINT()
//     ON_MESSAGE(0x28D1, &CMyDlg::OnSliderNotify)
//     ON_NOTIFY_EX(TTN_NEEDTEXTW, 0, &CMyDlg::OnToolTipNeedText)
//   END_MESSAGE_MAP()
//
// Dispatch walks the class's own table first, then its base's, and so on; the first entry that
// matches handles the message. Each entry holds a small thunk that unpacks wParam/lParam into the
// handler's typed arguments, so a handler with the wrong signature fails to compile.
#pragma once

#include "object.h"
#include "windef.h"

class CCmdTarget;

// Calls one handler. Returns whether the message counts as handled (a WM_NOTIFY _EX handler may
// decline); *result receives the message result.
using AFX_PMSG = BOOL (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage = 0;  // 0 ends the table
  UINT nCode = 0;     // notification code, for WM_COMMAND and WM_NOTIFY entries
  UINT nID = 0;       // first control / command identifier, for WM_COMMAND and WM_NOTIFY entries
  UINT nLastID = 0;   // last identifier of the range
  AFX_PMSG pfn = nullptr;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)() = nullptr;
  const AFX_MSGMAP_ENTRY* lpEntries = nullptr;
};

// Marks message handlers in class declarations; it expands to nothing.
#define afx_msg

// Command notification code of a menu item or accelerator (and of BN_CLICKED).
constexpr int CN_COMMAND = 0;

// The root of everything that has a message map: windows and the application.
class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  // Routes a command (WM_COMMAND with identifier nID and notification code nCode) through this
  // object's message map. Returns TRUE when a handler took it.
  virtual BOOL OnCmdMsg(UINT nID, int nCode);

  // The first entry for `message` in this object's maps, most derived class first; null when none.
  // For WM_COMMAND / WM_NOTIFY the code and an identifier in [nID, nLastID] must match as well.
  const AFX_MSGMAP_ENTRY* FindEntry(UINT message, UINT code, UINT id) const;

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

// clang-format off
#define DECLARE_MESSAGE_MAP()                    \
 protected:                                      \
  static const AFX_MSGMAP* GetThisMessageMap();  \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                       \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }  \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                  \
    using ThisClass [[maybe_unused]] = theClass;                                     \
    using TheBaseClass = baseClass;                                                  \
    static const AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                                   \
      {0, 0, 0, 0, nullptr}};                                                               \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,                 \
                                          &messageEntries[0]};                              \
    return &messageMap;                                                                     \
  }

// ---- Entry helpers --------------------------------------------------------------------------
// A thunk gets the object, wParam, lParam and where the result goes; each macro uses what it needs.
#define HALCYRA_THUNK                                                                      \
  []([[maybe_unused]] CCmdTarget* afxTarget, [[maybe_unused]] WPARAM afxW,                 \
     [[maybe_unused]] LPARAM afxL, [[maybe_unused]] LRESULT* afxResult) -> BOOL
#define HALCYRA_SELF (static_cast<ThisClass*>(afxTarget))
#define HALCYRA_POINT CPoint(GET_X_LPARAM(afxL), GET_Y_LPARAM(afxL))
#define HALCYRA_ENTRY(msg, ...) {msg, 0, 0, 0, HALCYRA_THUNK { __VA_ARGS__ return TRUE; }},

// ---- Window messages with a fixed handler name ------------------------------------------------
// int OnCreate(LPCREATESTRUCTW)
#define ON_WM_CREATE() HALCYRA_ENTRY(WM_CREATE, \
  *afxResult = HALCYRA_SELF->OnCreate(reinterpret_cast<LPCREATESTRUCTW>(afxL));)
// void OnDestroy()
#define ON_WM_DESTROY() HALCYRA_ENTRY(WM_DESTROY, HALCYRA_SELF->OnDestroy(); *afxResult = 0;)
// void OnClose()
#define ON_WM_CLOSE() HALCYRA_ENTRY(WM_CLOSE, HALCYRA_SELF->OnClose(); *afxResult = 0;)
// void OnPaint()
#define ON_WM_PAINT() HALCYRA_ENTRY(WM_PAINT, HALCYRA_SELF->OnPaint(); *afxResult = 0;)
// BOOL OnEraseBkgnd(CDC*)
#define ON_WM_ERASEBKGND() HALCYRA_ENTRY(WM_ERASEBKGND, \
  *afxResult = HALCYRA_SELF->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(afxW)));)
// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND() HALCYRA_ENTRY(WM_SYSCOMMAND, \
  HALCYRA_SELF->OnSysCommand(static_cast<UINT>(afxW), afxL); *afxResult = 0;)
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON() HALCYRA_ENTRY(WM_QUERYDRAGICON, \
  *afxResult = reinterpret_cast<LRESULT>(HALCYRA_SELF->OnQueryDragIcon());)
// LRESULT OnNcHitTest(CPoint screenPoint)
#define ON_WM_NCHITTEST() HALCYRA_ENTRY(WM_NCHITTEST, \
  *afxResult = HALCYRA_SELF->OnNcHitTest(HALCYRA_POINT);)
// BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
#define ON_WM_SETCURSOR() HALCYRA_ENTRY(WM_SETCURSOR, \
  *afxResult = HALCYRA_SELF->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(afxW)), \
                                         LOWORD(static_cast<DWORD_PTR>(afxL)),           \
                                         HIWORD(static_cast<DWORD_PTR>(afxL)));)
// void OnEnable(BOOL bEnable)
#define ON_WM_ENABLE() HALCYRA_ENTRY(WM_ENABLE, \
  HALCYRA_SELF->OnEnable(static_cast<BOOL>(afxW)); *afxResult = 0;)
// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER() HALCYRA_ENTRY(WM_TIMER, HALCYRA_SELF->OnTimer(afxW); *afxResult = 0;)
// void OnSetFocus(CWnd* pOldWnd)
#define ON_WM_SETFOCUS() HALCYRA_ENTRY(WM_SETFOCUS, \
  HALCYRA_SELF->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(afxW))); *afxResult = 0;)
// void OnKillFocus(CWnd* pNewWnd)
#define ON_WM_KILLFOCUS() HALCYRA_ENTRY(WM_KILLFOCUS, \
  HALCYRA_SELF->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(afxW))); *afxResult = 0;)
// UINT OnGetDlgCode()
#define ON_WM_GETDLGCODE() HALCYRA_ENTRY(WM_GETDLGCODE, \
  *afxResult = static_cast<LRESULT>(HALCYRA_SELF->OnGetDlgCode());)
// void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYDOWN() HALCYRA_ENTRY(WM_KEYDOWN, \
  HALCYRA_SELF->OnKeyDown(static_cast<UINT>(afxW), LOWORD(static_cast<DWORD_PTR>(afxL)), \
                          HIWORD(static_cast<DWORD_PTR>(afxL)));                         \
  *afxResult = 0;)
// void OnMouseMove(UINT nFlags, CPoint point), likewise OnLButtonDown and OnLButtonUp
#define ON_WM_MOUSEMOVE() HALCYRA_ENTRY(WM_MOUSEMOVE, \
  HALCYRA_SELF->OnMouseMove(static_cast<UINT>(afxW), HALCYRA_POINT); *afxResult = 0;)
#define ON_WM_LBUTTONDOWN() HALCYRA_ENTRY(WM_LBUTTONDOWN, \
  HALCYRA_SELF->OnLButtonDown(static_cast<UINT>(afxW), HALCYRA_POINT); *afxResult = 0;)
#define ON_WM_LBUTTONUP() HALCYRA_ENTRY(WM_LBUTTONUP, \
  HALCYRA_SELF->OnLButtonUp(static_cast<UINT>(afxW), HALCYRA_POINT); *afxResult = 0;)

// ---- Messages with a handler of the class's choosing (pass it as &CClass::Handler) -----------
// LRESULT memberFxn(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) HALCYRA_ENTRY(static_cast<UINT>(message), \
  *afxResult = (HALCYRA_SELF->*(memberFxn))(afxW, afxL);)

// void memberFxn(): WM_COMMAND with identifier `id` and notification code 0 (a menu item, an
// accelerator, BN_CLICKED).
#define ON_COMMAND(id, memberFxn)                                                              \
  {WM_COMMAND, static_cast<UINT>(CN_COMMAND), static_cast<UINT>(id), static_cast<UINT>(id),     \
   HALCYRA_THUNK { (HALCYRA_SELF->*(memberFxn))(); *afxResult = 0; return TRUE; }},

// BOOL memberFxn(UINT id, NMHDR* pNMHDR, LRESULT* pResult): WM_NOTIFY with notification code
// `code` from a control whose identifier lies in [idFirst, idLast] (0 for a popup such as a
// tooltip). Returning FALSE lets the search go on to the next matching entry.
#define ON_NOTIFY_EX_RANGE(code, idFirst, idLast, memberFxn)                                   \
  {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(idFirst), static_cast<UINT>(idLast),   \
   HALCYRA_THUNK {                                                                              \
     return (HALCYRA_SELF->*(memberFxn))(static_cast<UINT>(afxW),                              \
                                         reinterpret_cast<NMHDR*>(afxL), afxResult);           \
   }},
#define ON_NOTIFY_EX(code, id, memberFxn) ON_NOTIFY_EX_RANGE(code, id, id, memberFxn)
// clang-format on
