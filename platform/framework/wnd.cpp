#include "wnd.h"

#include <cstdarg>
#include <unordered_map>
#include <vector>

#include "app.h"
#include "menu.h"
#include "temp_map.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

LRESULT AfxCbtCreate(HWND hwnd);

namespace {

std::unordered_map<HWND, CWnd*>& PermanentMap() {
  static std::unordered_map<HWND, CWnd*> map;
  return map;
}

afx_internal::TempMap<CWnd, HWND>& TempWndMap() {
  static afx_internal::TempMap<CWnd, HWND> map;
  return map;
}

void AddPermanent(HWND hwnd, CWnd* wnd) {
  TempWndMap().Remove(hwnd);
  PermanentMap()[hwnd] = wnd;
}

void RemovePermanent(HWND hwnd, const CWnd* wnd) {
  auto it = PermanentMap().find(hwnd);
  if (it != PermanentMap().end() && it->second == wnd) PermanentMap().erase(it);
}

// The creation hook: which object the next new window belongs to.
CWnd* g_wndInit = nullptr;
HHOOK g_cbtHook = nullptr;
int g_hookDepth = 0;

LRESULT CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_wndInit != nullptr) {
    AfxCbtCreate(reinterpret_cast<HWND>(wParam));
  }
  return ::CallNextHookEx(g_cbtHook, code, wParam, lParam);
}

MSG g_msgCur{};

BOOL AfxPreTranslateMessage(MSG* msg) {
  CWnd* main = AfxGetMainWnd();
  return CWnd::WalkPreTranslateTree(main != nullptr ? main->m_hWnd : nullptr, msg);
}

// Messages after which a modal loop may idle again (painting is not activity).
bool IsIdleMessage(const MSG& msg) {
  return msg.message != WM_PAINT;
}

constexpr const wchar_t* kFrameworkClass = L"HalcyraWnd";

bool EnsureFrameworkClass() {
  WNDCLASSW wc{};
  if (::GetClassInfoW(AfxGetInstanceHandle(), kFrameworkClass, &wc)) return true;
  wc.lpfnWndProc = &::DefWindowProcW;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  wc.lpszClassName = kFrameworkClass;
  return ::RegisterClassW(&wc) != 0;
}

}  // namespace

// ---- Attaching objects to windows
// -----------------------------------------------------------------

LRESULT AfxCbtCreate(HWND hwnd) {
  CWnd* wnd = g_wndInit;
  g_wndInit = nullptr;
  wnd->m_hWnd = hwnd;
  AddPermanent(hwnd, wnd);
  auto old = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old != &AfxWndProc) wnd->m_pfnSuper = old;
  return 0;
}

void AfxHookWindowCreate(CWnd* wnd) {
  if (g_hookDepth++ == 0) {
    g_cbtHook = ::SetWindowsHookExW(WH_CBT, &CbtFilterHook, nullptr, ::GetCurrentThreadId());
  }
  g_wndInit = wnd;
}

BOOL AfxUnhookWindowCreate() {
  const BOOL consumed = g_wndInit == nullptr;
  g_wndInit = nullptr;
  if (g_hookDepth > 0 && --g_hookDepth == 0 && g_cbtHook != nullptr) {
    ::UnhookWindowsHookEx(g_cbtHook);
    g_cbtHook = nullptr;
  }
  return consumed;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  auto it = PermanentMap().find(hwnd);
  return it != PermanentMap().end() ? it->second : nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  if (CWnd* wnd = FromHandlePermanent(hwnd)) return wnd;
  return TempWndMap().Get(hwnd);
}

CWnd::~CWnd() {
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
    HWND h = m_hWnd;
    if (m_pfnSuper != nullptr &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(h, GWLP_WNDPROC)) == &AfxWndProc) {
      ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    RemovePermanent(h, this);
    m_hWnd = nullptr;
    if (::IsWindow(h)) ::DestroyWindow(h);
  }
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
}

BOOL CWnd::Attach(HWND hwnd) {
  if (hwnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hwnd) != nullptr) return FALSE;
  m_hWnd = hwnd;
  AddPermanent(hwnd, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h != nullptr) RemovePermanent(h, this);
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!::IsWindow(hwnd) || !Attach(hwnd)) return FALSE;
  auto old = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old != &AfxWndProc) m_pfnSuper = old;
  return TRUE;
}

HWND CWnd::UnsubclassWindow() {
  if (m_hWnd != nullptr && m_pfnSuper != nullptr) {
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  }
  m_pfnSuper = nullptr;
  return Detach();
}

void CWnd::OnNcDestroyDetach() {
  Detach();
  m_pfnSuper = nullptr;
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->m_pMainWnd == this) {
    if (app->InRunLoop()) ::PostQuitMessage(0);
    app->m_pMainWnd = nullptr;
  }
  PostNcDestroy();
}

// ---- Creation
// ---------------------------------------------------------------------------------------

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, CCreateContext* /*context*/) {
  return CreateEx(0, className, windowName, style, rect, parent, id, nullptr);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param) {
  return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top,
                  parent != nullptr ? parent->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, LPVOID param) {
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) return FALSE;  // already has a window
  m_hWnd = nullptr;
  if (className == nullptr) {
    if (!EnsureFrameworkClass()) return FALSE;
    className = kFrameworkClass;
  }
  AfxHookWindowCreate(this);
  HWND h = ::CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent,
                             idOrMenu, AfxGetInstanceHandle(), param);
  AfxUnhookWindowCreate();
  if (h == nullptr) {
    // The window may have been attached and destroyed again (WM_CREATE answered -1).
    if (m_hWnd != nullptr && !::IsWindow(m_hWnd)) Detach();
    return FALSE;
  }
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  HWND h = m_hWnd;
  const BOOL result = ::DestroyWindow(h);
  // A window that was only attached (no WM_NCDESTROY through us) is detached here.
  if (m_hWnd == h && !::IsWindow(h)) Detach();
  return result;
}

BOOL CWnd::CreateControl(REFCLSID clsid, LPCWSTR /*windowName*/, DWORD /*style*/,
                         const RECT& /*rect*/, CWnd* /*parent*/, UINT /*id*/, void* /*persist*/,
                         BOOL /*storage*/, BSTR /*licenseKey*/) {
  LPDISPATCH control = nullptr;
  if (AfxCreateControlInstance(clsid, &control) != S_OK || control == nullptr) return FALSE;
  // No control can be created on this system; a control that could would be hosted here.
  control->Release();
  return FALSE;
}

void CWnd::InvokeHelper(DISPID /*dispid*/, WORD /*flags*/, VARTYPE vtRet, void* pvRet,
                        const BYTE* /*paramInfo*/, ...) {
  // No control is hosted: nothing to call. An interface result reads as none.
  if (pvRet != nullptr && vtRet == VT_DISPATCH) *static_cast<LPDISPATCH*>(pvRet) = nullptr;
}

void CWnd::GetProperty(DISPID dispid, VARTYPE vtProp, void* pvProp) const {
  const_cast<CWnd*>(this)->InvokeHelper(dispid, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr);
}

// ---- Message handling
// ------------------------------------------------------------------------------

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
  if (wnd == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  return AfxCallWndProc(wnd, hwnd, message, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const MSG saved = wnd->m_currentMsg;
  wnd->m_currentMsg = MSG{hwnd, message, wParam, lParam, 0, POINT{0, 0}};
  const LRESULT result = wnd->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window's last message: the object lets go of it (and may delete itself).
    wnd->OnNcDestroyDetach();
    return result;
  }
  wnd->m_currentMsg = saved;
  return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *result = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr == nullptr || hdr->hwndFrom == nullptr) return FALSE;
    return OnNotify(wParam, lParam, result);
  }
  const AFX_MSGMAP_ENTRY* entry = FindEntry(message, 0, 0);
  if (entry == nullptr) return FALSE;
  LRESULT r = 0;
  if (!entry->pfn(this, wParam, lParam, &r)) return FALSE;
  *result = r;
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  int code = HIWORD(wParam);
  if (lParam == 0) {
    // A menu item or accelerator: no source control.
    if (id == 0) return FALSE;
    code = CN_COMMAND;
  }
  return OnCmdMsg(id, code);
}

BOOL CWnd::OnNotify(WPARAM /*wParam*/, LPARAM lParam, LRESULT* result) {
  const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (hdr == nullptr) return FALSE;
  const UINT id = hdr->hwndFrom != nullptr ? static_cast<UINT>(::GetDlgCtrlID(hdr->hwndFrom)) : 0u;
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
      if (e->nMessage != WM_NOTIFY || e->nCode != hdr->code || id < e->nID || id > e->nLastID) {
        continue;
      }
      LRESULT r = 0;
      if (e->pfn(this, id, lParam, &r)) {
        *result = r;
        return TRUE;
      }
    }
  }
  return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG* /*msg*/) {
  return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
  for (HWND h = msg->hwnd; h != nullptr; h = ::GetParent(h)) {
    if (CWnd* wnd = FromHandlePermanent(h)) {
      if (wnd->PreTranslateMessage(msg)) return TRUE;
    }
    if (h == stop) break;
  }
  return FALSE;
}

// ---- Message loops
// -----------------------------------------------------------------------------------

BOOL AfxPumpMessage() {
  MSG msg{};
  if (!::GetMessageW(&msg, nullptr, 0, 0)) {
    g_msgCur = msg;
    return FALSE;
  }
  g_msgCur = msg;
  if (!AfxPreTranslateMessage(&msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return TRUE;
}

const MSG* AfxGetCurrentMessage() {
  return &g_msgCur;
}

void AfxOnIdle() {
  afx_internal::DeleteTempGdiMaps();
}

int CWnd::RunModalLoop(DWORD flags) {
  BOOL idle = TRUE;
  BOOL showIdle = (flags & MLF_SHOWONIDLE) != 0 && (GetStyle() & WS_VISIBLE) == 0;
  m_nFlags |= kModalLoop | kContinueModal;
  MSG msg{};
  for (;;) {
    // Idle: show the window once nothing at all is waiting any more.
    while (idle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (showIdle) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        showIdle = FALSE;
      }
      AfxOnIdle();
      idle = FALSE;
    }
    // Pump while messages are there.
    do {
      if (!ContinueModal()) goto done;
      if (!AfxPumpMessage()) {
        ::PostQuitMessage(static_cast<int>(g_msgCur.wParam));
        m_nFlags &= ~(kModalLoop | kContinueModal);
        return -1;
      }
      if (showIdle && g_msgCur.message == WM_SYSKEYDOWN) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        showIdle = FALSE;
      }
      if (!ContinueModal()) goto done;
      if (IsIdleMessage(g_msgCur)) idle = TRUE;
    } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
done:
  m_nFlags &= ~(kModalLoop | kContinueModal);
  return m_nModalResult;
}

void CWnd::EndModalLoop(int result) {
  m_nModalResult = result;
  if ((m_nFlags & kContinueModal) != 0) {
    m_nFlags &= ~kContinueModal;
    PostMessage(WM_NULL);
  }
}

// ---- Window operations
// ---------------------------------------------------------------------------

void CWnd::GetWindowTextW(CString& text) const {
  const int n = ::GetWindowTextLengthW(m_hWnd);
  std::vector<wchar_t> buffer(static_cast<std::size_t>(n > 0 ? n : 0) + 1, L'\0');
  ::GetWindowTextW(m_hWnd, buffer.data(), static_cast<int>(buffer.size()));
  text = buffer.data();
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter != nullptr ? insertAfter->m_hWnd : nullptr, x, y, cx,
                        cy, flags);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
  if (rect == nullptr) return;
  ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
               repaint);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* wp) const {
  if (wp == nullptr) return FALSE;
  wp->length = sizeof(WINDOWPLACEMENT);
  return ::GetWindowPlacement(m_hWnd, wp);
}

void CWnd::ClientToScreen(LPRECT r) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

void CWnd::ScreenToClient(LPRECT r) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font != nullptr ? font->m_hObject : nullptr),
              redraw);
}

CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

CDC* CWnd::GetDC() {
  return CDC::FromHandle(::GetDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* dc) {
  if (dc == nullptr || dc->m_hDC == nullptr) return 0;
  HDC h = dc->m_hDC;
  const int result = ::ReleaseDC(m_hWnd, h);
  CDC::ReleaseTemporary(h);
  return result;
}

CWnd* CWnd::SetCapture() {
  return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::SetFocus() {
  return FromHandle(::SetFocus(m_hWnd));
}

CMenu* CWnd::GetSystemMenu(BOOL revert) const {
  return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert));
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
  return reinterpret_cast<HICON>(
      SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

BOOL CWnd::EnableToolTips(BOOL enable) {
  const BOOL old = (m_nFlags & kToolTips) != 0;
  if (enable) {
    m_nFlags |= kToolTips;
  } else {
    m_nFlags &= ~kToolTips;
  }
  return old || enable;
}

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) {
  if (caption == nullptr) {
    CWinApp* app = AfxGetApp();
    if (app != nullptr) caption = app->m_pszAppName;
  }
  return ::MessageBoxW(m_hWnd, text, caption, type);
}

// ---- Default handlers
// -------------------------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCTW) {
  return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
  Default();
}
void CWnd::OnClose() {
  Default();
}
void CWnd::OnPaint() {
  Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
  return static_cast<BOOL>(Default());
}
void CWnd::OnSysCommand(UINT, LPARAM) {
  Default();
}
HCURSOR CWnd::OnQueryDragIcon() {
  return reinterpret_cast<HCURSOR>(Default());
}
LRESULT CWnd::OnNcHitTest(CPoint) {
  return Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
  return static_cast<BOOL>(Default());
}
void CWnd::OnEnable(BOOL) {
  Default();
}
void CWnd::OnTimer(UINT_PTR) {
  Default();
}
void CWnd::OnSetFocus(CWnd*) {
  Default();
}
void CWnd::OnKillFocus(CWnd*) {
  Default();
}
UINT CWnd::OnGetDlgCode() {
  return static_cast<UINT>(Default());
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
  Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
  Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
  Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
  Default();
}
