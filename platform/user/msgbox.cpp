// The message box: an owned modal popup with the text and its buttons.
#include <algorithm>

#include "internal.h"

namespace user {
namespace {

constexpr int kTextId = 0xFFFF;
constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;

INT_PTR MessageBoxProc(HWND h, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      UINT type = static_cast<UINT>(GetWindowLongPtrW(h, DWLP_USER));
      bool has_cancel = (type & MB_TYPEMASK) == MB_OKCANCEL;
      if ((type & MB_TYPEMASK) == MB_OK && (id == IDOK || id == IDCANCEL)) {
        EndDialog(h, IDOK);  // Escape on a box without Cancel answers OK
      } else if (id == IDCANCEL && !has_cancel) {
        // Yes/No has no way out but its two buttons.
      } else if (id == IDOK || id == IDCANCEL || id == IDYES || id == IDNO) {
        EndDialog(h, id);
      }
      return TRUE;
    }
  }
  return FALSE;
}

SIZE MeasureText(HFONT font, const std::wstring& text) {
  SIZE out{0, 0};
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return {200, 16};
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L'\n', start);
    std::wstring line =
        text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    SIZE sz{};
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    if (!line.empty()) GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &sz);
    out.cx = std::max(out.cx, sz.cx);
    out.cy += std::max<LONG>(sz.cy, tm.tmHeight > 0 ? tm.tmHeight : 16);
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
  return out;
}

}  // namespace
}  // namespace user

using namespace user;

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  std::wstring message = text ? text : L"";
  std::wstring title = caption ? caption : L"Error";
  owner = (owner && IsWindow(owner)) ? Root(owner) : nullptr;
  HFONT font = DefaultGuiFont();
  SIZE ts = MeasureText(font, message);
  struct Btn {
    int id = 0;
    const wchar_t* label = nullptr;
  };
  std::vector<Btn> buttons;
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      buttons = {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}};
      break;
    case MB_YESNO:
      buttons = {{IDYES, L"&Yes"}, {IDNO, L"&No"}};
      break;
    default:
      buttons = {{IDOK, L"OK"}};
      break;
  }
  int row =
      static_cast<int>(buttons.size()) * kButtonWidth + (static_cast<int>(buttons.size()) - 1) * 6;
  int cw = std::max<int>(ts.cx + 2 * kMargin, row + 2 * kMargin);
  cw = std::max(cw, 160);
  int ch = kMargin + ts.cy + kMargin + kButtonHeight + kMargin;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  RECT rc{0, 0, cw, ch};
  AdjustWindowRectEx(&rc, style, FALSE, WS_EX_DLGMODALFRAME);
  int width = rc.right - rc.left, height = rc.bottom - rc.top;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner) GetWindowRect(owner, &area);
  int x = std::clamp<int>(area.left + ((area.right - area.left) - width) / 2, 0,
                          std::max(0, GetSystemMetrics(SM_CXSCREEN) - width));
  int y = std::clamp<int>(area.top + ((area.bottom - area.top) - height) / 2, 0,
                          std::max(0, GetSystemMetrics(SM_CYSCREEN) - height));

  bool disable = owner && IsWindowEnabled(owner);
  if (disable) EnableWindow(owner, FALSE);
  HWND box = CreateWindowExW(WS_EX_DLGMODALFRAME, WC_DIALOGW, title.c_str(), style, x, y, width,
                             height, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!box) {
    if (disable) EnableWindow(owner, TRUE);
    return 0;
  }
  if (Window* w = Find(box)) {
    w->is_message_box = true;
    w->message_text = message;
  }
  SetWindowLongPtrW(box, DWLP_USER, static_cast<LONG_PTR>(type));
  SetWindowLongPtrW(box, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&MessageBoxProc));
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  HWND label = CreateWindowExW(0, L"Static", message.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX,
                               kMargin, kMargin, cw - 2 * kMargin, ts.cy, box,
                               reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kTextId)),
                               nullptr, nullptr);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  int bx = (cw - row) / 2;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    DWORD bs = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND b = CreateWindowExW(0, L"Button", buttons[i].label, bs, bx, ch - kMargin - kButtonHeight,
                             kButtonWidth, kButtonHeight, box,
                             reinterpret_cast<HMENU>(static_cast<std::intptr_t>(buttons[i].id)),
                             nullptr, nullptr);
    SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    bx += kButtonWidth + 6;
  }
  SendMessageW(box, WM_INITDIALOG, 0, 0);
  if (HWND first = GetNextDlgTabItem(box, nullptr, FALSE)) SetFocus(first);
  ShowWindow(box, SW_SHOWNORMAL);
  return static_cast<int>(RunModal(box, owner, disable));
}
