#include "ctrl.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CButton::Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_BUTTONW, caption, style, rect, parent, id);
}

BOOL CStatic::Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_STATICW, text, style, rect, parent, id);
}

BEGIN_MESSAGE_MAP(CToolTipCtrl, CWnd)
ON_WM_ENABLE()
END_MESSAGE_MAP()

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  return CWnd::CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, parent != nullptr ? parent->m_hWnd : nullptr,
                        nullptr);
}

void CToolTipCtrl::FillInToolInfo(TTTOOLINFOW& info, CWnd* wnd, UINT_PTR idTool) const {
  std::memset(&info, 0, sizeof(info));
  info.cbSize = sizeof(TTTOOLINFOW);
  HWND h = wnd != nullptr ? wnd->m_hWnd : nullptr;
  if (idTool == 0) {
    info.hwnd = ::GetParent(h);
    info.uFlags = TTF_IDISHWND;
    info.uId = reinterpret_cast<UINT_PTR>(h);
  } else {
    info.hwnd = h;
    info.uId = idTool;
  }
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCWSTR text, LPCRECT rectTool, UINT_PTR idTool) {
  TTTOOLINFOW info;
  FillInToolInfo(info, wnd, idTool);
  if (rectTool != nullptr) info.rect = *rectTool;
  info.lpszText = const_cast<LPWSTR>(text);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR idTool) {
  TTTOOLINFOW info;
  FillInToolInfo(info, wnd, idTool);
  SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR idTool) {
  TTTOOLINFOW info;
  FillInToolInfo(info, wnd, idTool);
  info.lpszText = const_cast<LPWSTR>(text);
  SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

BOOL CToolTipCtrl::GetToolInfo(CToolInfo& info, CWnd* wnd, UINT_PTR idTool) const {
  FillInToolInfo(info, wnd, idTool);
  info.szText[0] = L'\0';
  info.lpszText = info.szText;
  if (!SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(static_cast<TTTOOLINFOW*>(&info))))
    return FALSE;
  // The tool description carries a tip's first 79 characters; the record has room for more.
  if (info.lpszText == info.szText) {
    SendMessage(TTM_GETTEXTW, sizeof(info.szText) / sizeof(info.szText[0]),
                reinterpret_cast<LPARAM>(static_cast<TTTOOLINFOW*>(&info)));
  }
  return TRUE;
}

void CToolTipCtrl::OnEnable(BOOL enable) {
  Default();
  Activate(enable);
}
