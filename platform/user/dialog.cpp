// Dialogs: templates from the resources, creation, the dialog procedure, the dialog manager's keys
// and the modal loop.
#include <algorithm>

#include "dialog_template.h"
#include "internal.h"
#include "resource.h"

namespace user {
namespace {

struct DialogData : ControlData {
  HFONT font = nullptr;
  bool owns_font = false;
  int base_x = 6;
  int base_y = 13;
  INT_PTR result = 0;
  bool ended = false;
  WORD def_id = 0;
  HWND owner = nullptr;
  bool reenable_owner = false;
  ~DialogData() override {
    if (owns_font && font) DeleteObject(font);
  }
};

DialogData* Data(HWND h) {
  Window* w = Find(h);
  if (!w) return nullptr;
  if (!w->data) w->data = std::make_unique<DialogData>();
  return dynamic_cast<DialogData*>(w->data.get());
}

bool LoadTemplate(LPCWSTR name, DialogTemplate* t) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(module, name, RT_DIALOG);
  if (!res) return false;
  auto* data = static_cast<const char*>(LockResource(LoadResource(module, res)));
  if (!data) return false;
  std::optional<DialogTemplate> parsed =
      ParseDialogTemplate(std::string_view(data, SizeofResource(module, res)));
  if (!parsed) return false;
  *t = std::move(*parsed);
  return true;
}

HWND CreateFromTemplate(const DialogTemplate& t, HWND owner, DLGPROC proc, LPARAM param,
                        HINSTANCE instance) {
  HFONT font = nullptr;
  bool owns = false;
  if (t.has_font && (t.style & DS_SETFONT)) {
    LOGFONTW lf{};
    lf.lfHeight = -((t.points * 96 + 36) / 72);
    lf.lfWeight = t.weight;
    std::wstring face = t.face.substr(0, LF_FACESIZE - 1);
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    font = CreateFontIndirectW(&lf);
    owns = font != nullptr;
  }
  int bx = 6, by = 13;
  GetBaseUnits(font ? font : DefaultGuiFont(), &bx, &by);
  RECT rc{0, 0, t.cx * bx / 4, t.cy * by / 8};
  AdjustWindowRectEx(&rc, t.style, FALSE, t.exstyle);
  int width = rc.right - rc.left, height = rc.bottom - rc.top;
  // Placed centred over the owner, or on the screen when it has none.
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner) GetWindowRect(owner, &area);
  int x = area.left + ((area.right - area.left) - width) / 2;
  int y = area.top + ((area.bottom - area.top) - height) / 2;
  x = std::clamp(x, 0, std::max(0, GetSystemMetrics(SM_CXSCREEN) - width));
  y = std::clamp(y, 0, std::max(0, GetSystemMetrics(SM_CYSCREEN) - height));

  HWND dlg = CreateWindowExW(t.exstyle, WC_DIALOGW, t.caption.c_str(), t.style & ~WS_VISIBLE, x, y,
                             width, height, owner, nullptr, instance, nullptr);
  if (!dlg) {
    if (owns) DeleteObject(font);
    return nullptr;
  }
  DialogData* d = Data(dlg);
  if (!d) return nullptr;
  d->font = font;
  d->owns_font = owns;
  d->base_x = bx;
  d->base_y = by;
  SetWindowLongPtrW(dlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  if (font) SendMessageW(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  for (const auto& ct : t.controls) {
    if (!IsWindow(dlg)) return nullptr;
    bool icon = ct.text.size() > 1 && ct.text[0] == L'#' && (ct.style & SS_TYPEMASK) == SS_ICON &&
                Fold(ct.cls) == L"static";
    HWND c = CreateWindowExW(0, ct.cls.c_str(), icon ? L"" : ct.text.c_str(), ct.style | WS_CHILD,
                             ct.x * bx / 4, ct.y * by / 8, ct.cx * bx / 4, ct.cy * by / 8, dlg,
                             reinterpret_cast<HMENU>(static_cast<std::intptr_t>(ct.id)), instance,
                             nullptr);
    if (!c) continue;
    if (font) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    if (icon) {
      long long id = 0;
      if (ParseTemplateNumber(base::ToUtf8(ct.text.substr(1)), &id) && id > 0 && id < 0x10000)
        SendMessageW(
            c, STM_SETICON,
            reinterpret_cast<WPARAM>(LoadIconW(instance, MAKEINTRESOURCEW(static_cast<UINT>(id)))),
            0);
    }
  }
  if (!IsWindow(dlg)) return nullptr;
  HWND first = GetNextDlgTabItem(dlg, nullptr, FALSE);
  if (SendMessageW(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && IsWindow(dlg)) {
    first = GetNextDlgTabItem(dlg, nullptr, FALSE);
    if (first) {
      SetFocus(first);
    }
  }
  if (!IsWindow(dlg)) return nullptr;
  if ((t.style & WS_VISIBLE) && !IsWindowVisible(dlg)) ShowWindow(dlg, SW_SHOWNORMAL);
  return IsWindow(dlg) ? dlg : nullptr;
}

HWND FindDefButton(HWND dlg) {
  for (HWND c : ChildrenCopy(dlg)) {
    if (SendMessageW(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return c;
  }
  return nullptr;
}

void RestoreFocus(HWND dlg) {
  Window* w = Find(dlg);
  if (!w) return;
  HWND f = w->saved_focus;
  if (!f || !IsDescendant(dlg, f) || !IsWindowVisible(f) || !IsWindowEnabled(f))
    f = GetNextDlgTabItem(dlg, nullptr, FALSE);
  SetFocus(f ? f : dlg);
}

}  // namespace

HFONT DefaultGuiFont() {
  static HFONT font = nullptr;
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!font) {
    LOGFONTW lf{};
    lf.lfHeight = -11;
    std::wstring face = L"MS Shell Dlg";
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    font = CreateFontIndirectW(&lf);
  }
  return font;
}

void GetBaseUnits(HFONT font, int* bx, int* by) {
  *bx = 6;
  *by = 13;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return;
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE sz{};
  TEXTMETRICW tm{};
  if (GetTextExtentPoint32W(dc, kAlphabet, 52, &sz) && GetTextMetricsW(dc, &tm) && sz.cx > 0 &&
      tm.tmHeight > 0) {
    *bx = std::clamp<int>((sz.cx / 26 + 1) / 2, 1, 64);
    *by = std::clamp<int>(tm.tmHeight, 1, 128);
  }
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
}

INT_PTR RunModalLoop(HWND dialog, HWND owner, bool) {
  while (IsWindow(dialog)) {
    DialogData* d = Data(dialog);
    if (!d || d->ended) break;
    MSG m;
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      // Shown when the queue first runs empty, even without WS_VISIBLE.
      if (!IsWindowVisible(dialog)) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        UpdateWindow(dialog);
      }
      if (owner && IsWindow(owner) && !(GetWindowLongPtrW(dialog, GWL_STYLE) & DS_NOIDLEMSG))
        SendMessageW(owner, WM_ENTERIDLE, 0, reinterpret_cast<LPARAM>(dialog));
      d = Data(dialog);
      if (!d || d->ended) break;
      BOOL r = GetMessageW(&m, nullptr, 0, 0);
      if (r == 0) {
        PostQuitMessage(static_cast<int>(m.wParam));
        break;
      }
      if (r < 0) break;
    } else if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (!IsDialogMessageW(dialog, &m)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  INT_PTR result = -1;
  if (IsWindow(dialog)) {
    DialogData* d = Data(dialog);
    result = d ? d->result : 0;
    bool reenable = d && d->reenable_owner && !d->ended;
    if (reenable && owner) EnableWindow(owner, TRUE);
    DestroyWindow(dialog);
  }
  return result;
}

INT_PTR RunModal(HWND dialog, HWND owner, bool reenable_owner) {
  if (DialogData* d = Data(dialog)) {
    d->owner = owner;
    d->reenable_owner = reenable_owner;
  }
  return RunModalLoop(dialog, owner, reenable_owner);
}

}  // namespace user

using namespace user;

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC proc,
                        LPARAM initParam) {
  DialogTemplate t;
  if (!LoadTemplate(templateName, &t)) {
    SetLastError(ERROR_RESOURCE_NOT_FOUND);
    return nullptr;
  }
  if (owner && !IsWindow(owner)) owner = nullptr;
  return CreateFromTemplate(t, owner ? Root(owner) : nullptr, proc, initParam, instance);
}

INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC proc,
                        LPARAM initParam) {
  DialogTemplate t;
  if (!LoadTemplate(templateName, &t)) {
    SetLastError(ERROR_RESOURCE_NOT_FOUND);
    return -1;
  }
  owner = (owner && IsWindow(owner)) ? Root(owner) : nullptr;
  bool disable = owner && IsWindowEnabled(owner);
  if (disable) EnableWindow(owner, FALSE);
  HWND dlg = CreateFromTemplate(t, owner, proc, initParam, instance);
  if (!dlg) {
    if (disable) EnableWindow(owner, TRUE);
    return -1;
  }
  return RunModal(dlg, owner, disable);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  DialogData* d = Data(dialog);
  if (!d) return FALSE;
  d->result = result;
  d->ended = true;
  // The owner comes back before the dialog goes, so that activation can return to it.
  if (d->reenable_owner && d->owner && IsWindow(d->owner)) EnableWindow(d->owner, TRUE);
  d->reenable_owner = false;
  SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  PostMessageW(dialog, WM_NULL, 0, 0);  // wakes the modal loop
  return TRUE;
}

LRESULT DefDlgProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!Find(hwnd)) return 0;
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hwnd, DWLP_DLGPROC));
  SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
  INT_PTR r = proc ? proc(hwnd, msg, wParam, lParam) : 0;
  if (!IsWindow(hwnd)) return r;
  if (r) {
    switch (msg) {
      case WM_INITDIALOG:
      case WM_QUERYDRAGICON:
      case WM_CTLCOLORBTN:
      case WM_CTLCOLORDLG:
      case WM_CTLCOLORSTATIC:
        return r;
    }
    return GetWindowLongPtrW(hwnd, DWLP_MSGRESULT);
  }
  DialogData* d = Data(hwnd);
  switch (msg) {
    case WM_CLOSE:
      // A dialog does not destroy itself on close: it asks for cancellation.
      PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDCANCEL)));
      return 0;
    case DM_GETDEFID:
      if (d && !d->ended) {
        if (d->def_id) return MAKELONG(d->def_id, DC_HASDEFID);
        if (HWND b = FindDefButton(hwnd))
          return MAKELONG(static_cast<WORD>(GetDlgCtrlID(b)), DC_HASDEFID);
      }
      return 0;
    case DM_SETDEFID:
      if (d) d->def_id = static_cast<WORD>(wParam);
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) RestoreFocus(hwnd);
      return 0;
    case WM_SETFOCUS:
      RestoreFocus(hwnd);
      return 0;
    case WM_NEXTDLGCTL: {
      HWND target = lParam ? reinterpret_cast<HWND>(wParam)
                           : GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
      if (target) SetFocus(target);
      return 0;
    }
    case WM_SETFONT:
      if (d) d->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return d ? reinterpret_cast<LRESULT>(d->font) : 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

BOOL IsDialogMessageW(HWND dialog, LPMSG msg) {
  if (!msg || !Find(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsDescendant(dialog, msg->hwnd)) return FALSE;
  if (msg->message == WM_KEYDOWN) {
    LRESULT code =
        SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
    if (!(code & DLGC_WANTMESSAGE) && IsWindow(dialog)) {
      switch (msg->wParam) {
        case VK_TAB:
          if (code & DLGC_WANTTAB) break;
          SendMessageW(dialog, WM_NEXTDLGCTL, (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, 0);
          return TRUE;
        case VK_ESCAPE:
          SendMessageW(dialog, WM_COMMAND, IDCANCEL,
                       reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
          return TRUE;
        case VK_RETURN: {
          HWND focus = GetFocus();
          if (focus && IsDescendant(dialog, focus) &&
              (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
            SendMessageW(dialog, WM_COMMAND,
                         MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(focus)), BN_CLICKED),
                         reinterpret_cast<LPARAM>(focus));
            return TRUE;
          }
          auto dw = static_cast<DWORD>(SendMessageW(dialog, DM_GETDEFID, 0, 0));
          if (HIWORD(dw) == DC_HASDEFID) {
            HWND def = GetDlgItem(dialog, LOWORD(dw));
            if (!def || IsWindowEnabled(def))
              SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(dw), BN_CLICKED),
                           reinterpret_cast<LPARAM>(def));
          } else {
            SendMessageW(dialog, WM_COMMAND, IDOK,
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
          }
          return TRUE;
        }
      }
    }
  }
  TranslateMessage(msg);
  DispatchMessageW(msg);
  return TRUE;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  DialogData* d = Data(dialog);
  if (!d || !rect) return FALSE;
  rect->left = rect->left * d->base_x / 4;
  rect->right = rect->right * d->base_x / 4;
  rect->top = rect->top * d->base_y / 8;
  rect->bottom = rect->bottom * d->base_y / 8;
  return TRUE;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  Window* w = Find(dialog);
  if (!w) return nullptr;
  std::vector<HWND> stops;
  for (HWND c : w->children) {
    Window* cw = Find(c);
    if (cw && (cw->style & WS_TABSTOP) && (cw->style & WS_VISIBLE) && !(cw->style & WS_DISABLED))
      stops.push_back(c);
  }
  if (stops.empty()) return nullptr;
  auto it = std::find(stops.begin(), stops.end(), control);
  if (it == stops.end()) return previous ? stops.back() : stops.front();
  if (previous) return it == stops.begin() ? stops.back() : *(it - 1);
  return (it + 1 == stops.end()) ? stops.front() : *(it + 1);
}
