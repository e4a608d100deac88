// The tooltip control. Without TTF_SUBCLASS it learns of the pointer only from relayed messages;
// delays come from three timers (show, pop, leave check), and a tip shows beside the pointer in a
// topmost popup that never takes activation.
#include <algorithm>

#include "internal.h"
#include "resource.h"

namespace user {
namespace {

constexpr UINT_PTR kTimerShow = 1;
constexpr UINT_PTR kTimerPop = 2;
constexpr UINT_PTR kTimerLeave = 3;
constexpr int kMargin = 2;
constexpr int kBorder = 1;
constexpr int kCursorHeight = 20;
constexpr UINT kDefaultInitial = 500;

struct Tool {
  UINT flags = 0;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  RECT rect{};
  std::wstring text;
  bool callback = false;
  HINSTANCE hinst = nullptr;
  LPARAM lParam = 0;
};

struct TooltipData : ControlData {
  std::vector<Tool> tools;
  int tool = -1;     // the tool under the pointer, as the relayed moves say
  int current = -1;  // the tool whose tip is shown
  bool active = true;
  UINT initial = kDefaultInitial;
  UINT autopop = kDefaultInitial * 10;
  UINT reshow = kDefaultInitial / 5;
  COLORREF text_color = 0;
  COLORREF back_color = 0;
  HFONT font = nullptr;
};

TooltipData* Data(HWND h) {
  return FindControlData<TooltipData>(h);
}

int FindTool(TooltipData* d, const TTTOOLINFOW* ti) {
  if (!ti) return -1;
  for (std::size_t i = 0; i < d->tools.size(); ++i) {
    const Tool& t = d->tools[i];
    if (!(t.flags & TTF_IDISHWND) && t.hwnd == ti->hwnd && t.id == ti->uId)
      return static_cast<int>(i);
  }
  for (std::size_t i = 0; i < d->tools.size(); ++i) {
    const Tool& t = d->tools[i];
    if ((t.flags & TTF_IDISHWND) && t.id == ti->uId) return static_cast<int>(i);
  }
  return -1;
}

// First a rectangle tool of that window holding the point, else the tool that is that window.
int ToolFromPoint(TooltipData* d, HWND hwnd, POINT pt) {
  for (std::size_t i = 0; i < d->tools.size(); ++i) {
    const Tool& t = d->tools[i];
    if (!(t.flags & TTF_IDISHWND) && t.hwnd == hwnd && PtInRect(&t.rect, pt))
      return static_cast<int>(i);
  }
  for (std::size_t i = 0; i < d->tools.size(); ++i) {
    const Tool& t = d->tools[i];
    if ((t.flags & TTF_IDISHWND) && reinterpret_cast<HWND>(t.id) == hwnd)
      return static_cast<int>(i);
  }
  return -1;
}

bool ValidInfo(const TTTOOLINFOW* ti) {
  return ti && ti->cbSize >= offsetof(TTTOOLINFOW, lParam);
}

// A caller's text field that points at a buffer (not a resource number or the callback marker).
bool Writable(LPCWSTR text) {
  return text && !IS_INTRESOURCE(text) && text != LPSTR_TEXTCALLBACKW;
}

std::wstring ToolText(HWND h, const Tool& t) {
  if (!t.callback) return t.text;
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = h;
  info.hdr.idFrom = t.id;
  info.hdr.code = TTN_GETDISPINFOW;
  info.uFlags = t.flags;
  info.lParam = t.lParam;
  SendMessageW(t.hwnd, WM_NOTIFY, t.id, reinterpret_cast<LPARAM>(&info));
  if (info.lpszText == LPSTR_TEXTCALLBACKW) return L"";
  if (info.lpszText && IS_INTRESOURCE(info.lpszText)) {
    wchar_t buf[256];
    int n = LoadStringW(
        info.hinst, static_cast<UINT>(reinterpret_cast<std::uintptr_t>(info.lpszText)), buf, 256);
    return std::wstring(buf, static_cast<std::size_t>(n));
  }
  if (info.lpszText) return info.lpszText;
  info.szText[79] = 0;
  return info.szText;
}

void SetText(Tool* t, LPCWSTR text, HINSTANCE hinst) {
  t->callback = false;
  t->text.clear();
  if (text == LPSTR_TEXTCALLBACKW) {
    t->callback = true;
  } else if (text && IS_INTRESOURCE(text)) {
    wchar_t buf[256];
    int n = LoadStringW(hinst, static_cast<UINT>(reinterpret_cast<std::uintptr_t>(text)), buf, 256);
    t->text.assign(buf, static_cast<std::size_t>(n));
  } else if (text) {
    t->text = text;
  }
}

SIZE TipSize(HWND h, TooltipData* d, const std::wstring& text) {
  SIZE sz{0, 0};
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc) {
    HGDIOBJ old = SelectObject(dc, d->font ? d->font : DefaultGuiFont());
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &sz);
    TEXTMETRICW tm{};
    if (GetTextMetricsW(dc, &tm)) sz.cy = std::max(sz.cy, tm.tmHeight);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  (void)h;
  return {sz.cx + 2 * (kMargin + kBorder), sz.cy + 2 * (kMargin + kBorder)};
}

void Hide(HWND h) {
  TooltipData* d = Data(h);
  if (!d || d->current == -1) return;
  KillTimer(h, kTimerPop);
  KillTimer(h, kTimerLeave);
  d->current = -1;
  SetWindowPos(h, nullptr, 0, 0, 0, 0,
               SWP_NOZORDER | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

void Show(HWND h) {
  TooltipData* d = Data(h);
  if (!d || d->tool < 0 || d->tool >= static_cast<int>(d->tools.size())) return;
  std::wstring text = ToolText(h, d->tools[static_cast<std::size_t>(d->tool)]);
  d = Data(h);
  if (!d) return;
  if (text.empty()) {
    d->current = -1;
    return;
  }
  d->current = d->tool;
  SIZE size = TipSize(h, d, text);
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  int x = cursor.x, y = cursor.y + kCursorHeight;
  if (x + size.cx > sw) x = sw - size.cx;
  if (y + size.cy > sh) y = cursor.y - size.cy;
  x = std::max(0, x);
  y = std::max(0, y);
  if (Window* w = Find(h)) w->text = text;  // what the tip shows is its window text
  SetWindowPos(h, HWND_TOPMOST, x, y, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  InvalidateRect(h, nullptr, TRUE);
  SetTimer(h, kTimerPop, d->autopop, nullptr);
  SetTimer(h, kTimerLeave, d->reshow, nullptr);
}

// The tool under the pointer now; with `show_test`, only while the tool's window is active (or the
// control has TTS_ALWAYSTIP).
int CheckTool(HWND h, bool show_test) {
  POINT pt;
  GetCursorPos(&pt);
  auto under = reinterpret_cast<HWND>(
      SendMessageW(h, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt)));
  TooltipData* d = Data(h);
  if (!under || !d) return -1;
  ScreenToClient(under, &pt);
  int tool = ToolFromPoint(d, under, pt);
  if (tool == -1) return -1;
  Window* w = Find(h);
  if (show_test && w && !(w->style & TTS_ALWAYSTIP)) {
    HWND active = GetActiveWindow();
    HWND owner = d->tools[static_cast<std::size_t>(tool)].hwnd;
    if (!active || (active != h && active != owner && !IsChild(active, owner))) return -1;
  }
  return tool;
}

void Relay(HWND h, const MSG* m) {
  TooltipData* d = Data(h);
  if (!d || !m) return;
  switch (m->message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      Hide(h);
      return;
    case WM_MOUSEMOVE: {
      POINT pt{GET_X_LPARAM(m->lParam), GET_Y_LPARAM(m->lParam)};
      int old = d->tool;
      d->tool = ToolFromPoint(d, m->hwnd, pt);
      if (d->active && d->tool != old) {
        if (old == -1) {
          SetTimer(h, kTimerShow, d->initial, nullptr);  // entered a tool
        } else {
          Hide(h);  // moved to another tool, or left them all
          KillTimer(h, kTimerShow);
          if ((d = Data(h)) && d->active && d->tool != -1)
            SetTimer(h, kTimerShow, d->reshow, nullptr);
        }
      } else if (d->current != -1) {
        SetTimer(h, kTimerPop, d->autopop, nullptr);  // still on the shown tool
      } else if (d->tool != -1 && d->active) {
        SetTimer(h, kTimerShow, d->initial, nullptr);  // resting is measured from the last move
      }
      return;
    }
  }
}

void Paint(HWND h) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  TooltipData* d = Data(h);
  Window* w = Find(h);
  if (dc && d && w) {
    RECT rc;
    GetClientRect(h, &rc);
    HBRUSH border = CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME));
    FillRect(dc, &rc, border);
    DeleteObject(border);
    RECT inner = rc;
    InflateRect(&inner, -kBorder, -kBorder);
    HBRUSH back = CreateSolidBrush(d->back_color);
    FillRect(dc, &inner, back);
    DeleteObject(back);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, d->text_color);
    HGDIOBJ old = SelectObject(dc, d->font ? d->font : DefaultGuiFont());
    TextOutW(dc, kBorder + kMargin, kBorder + kMargin, w->text.c_str(),
             static_cast<int>(w->text.size()));
    SelectObject(dc, old);
  }
  EndPaint(h, &ps);
}

void SetDelays(TooltipData* d, WPARAM which, LPARAM value) {
  int ms = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(value)));
  switch (which) {
    case TTDT_AUTOMATIC: {
      UINT n = ms < 0 ? kDefaultInitial : static_cast<UINT>(ms);
      d->initial = n;
      d->autopop = n * 10;
      d->reshow = n / 5;
      break;
    }
    case TTDT_RESHOW:
      d->reshow = ms < 0 ? kDefaultInitial / 5 : static_cast<UINT>(ms);
      break;
    case TTDT_AUTOPOP:
      d->autopop = ms < 0 ? kDefaultInitial * 10 : static_cast<UINT>(ms);
      break;
    case TTDT_INITIAL:
      d->initial = ms < 0 ? kDefaultInitial : static_cast<UINT>(ms);
      break;
  }
}

}  // namespace

LRESULT TooltipProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(h);
  if (!w) return 0;
  if (msg == WM_NCCREATE) {
    auto d = std::make_unique<TooltipData>();
    d->text_color = GetSysColor(COLOR_INFOTEXT);
    d->back_color = GetSysColor(COLOR_INFOBK);
    w->data = std::move(d);
    w->style &= ~WS_CHILD;
    w->style |= WS_POPUP;
    return DefWindowProcW(h, msg, wParam, lParam);
  }
  TooltipData* d = Data(h);
  if (!d) return DefWindowProcW(h, msg, wParam, lParam);
  switch (msg) {
    case TTM_ADDTOOLW: {
      auto* ti = reinterpret_cast<const TTTOOLINFOW*>(lParam);
      if (!ValidInfo(ti)) return FALSE;
      Tool t;
      t.flags = ti->uFlags;
      t.hwnd = ti->hwnd;
      t.id = ti->uId;
      t.rect = ti->rect;
      t.hinst = ti->hinst;
      t.lParam = ti->lParam;
      SetText(&t, ti->lpszText, ti->hinst);
      d->tools.push_back(std::move(t));
      return TRUE;
    }
    case TTM_DELTOOLW: {
      auto* ti = reinterpret_cast<const TTTOOLINFOW*>(lParam);
      int i = ValidInfo(ti) ? FindTool(d, ti) : -1;
      if (i < 0) return 0;
      if (d->current == i) Hide(h);
      if ((d = Data(h))) {
        d->tools.erase(d->tools.begin() + i);
        auto fix = [i](int& v) { v = v == i ? -1 : v > i ? v - 1 : v; };
        fix(d->tool);
        fix(d->current);
      }
      return 0;
    }
    case TTM_UPDATETIPTEXTW: {
      auto* ti = reinterpret_cast<const TTTOOLINFOW*>(lParam);
      int i = ValidInfo(ti) ? FindTool(d, ti) : -1;
      if (i < 0) return 0;
      SetText(&d->tools[static_cast<std::size_t>(i)], ti->lpszText, ti->hinst);
      if (d->current == i) {
        // A showing tip takes the new text at once.
        std::wstring text = ToolText(h, d->tools[static_cast<std::size_t>(i)]);
        if ((d = Data(h)) && (w = Find(h))) {
          w->text = text;
          SIZE size = TipSize(h, d, text);
          SetWindowPos(h, nullptr, 0, 0, size.cx, size.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
          InvalidateRect(h, nullptr, TRUE);
        }
      }
      return 0;
    }
    case TTM_NEWTOOLRECTW: {
      auto* ti = reinterpret_cast<const TTTOOLINFOW*>(lParam);
      int i = ValidInfo(ti) ? FindTool(d, ti) : -1;
      if (i >= 0) d->tools[static_cast<std::size_t>(i)].rect = ti->rect;
      return 0;
    }
    case TTM_GETTOOLCOUNT:
      return static_cast<LRESULT>(d->tools.size());
    case TTM_GETTEXTW: {
      auto* ti = reinterpret_cast<TTTOOLINFOW*>(lParam);
      int i = ValidInfo(ti) ? FindTool(d, ti) : -1;
      if (i < 0 || !Writable(ti->lpszText)) return 0;
      const std::wstring& text = d->tools[static_cast<std::size_t>(i)].text;
      std::size_t cap = wParam ? wParam : TOOLTIP_TEXT_MAX;
      std::size_t n = std::min(cap - 1, text.size());
      std::copy_n(text.c_str(), n, ti->lpszText);
      ti->lpszText[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case TTM_GETTOOLINFOW: {
      auto* ti = reinterpret_cast<TTTOOLINFOW*>(lParam);
      int i = ValidInfo(ti) ? FindTool(d, ti) : -1;
      if (i < 0) return FALSE;
      const Tool& t = d->tools[static_cast<std::size_t>(i)];
      ti->uFlags = t.flags;
      ti->hwnd = t.hwnd;
      ti->uId = t.id;
      ti->rect = t.rect;
      ti->hinst = t.hinst;
      ti->lParam = t.lParam;
      if (Writable(ti->lpszText)) {
        if (t.callback) {
          ti->lpszText = LPSTR_TEXTCALLBACKW;
        } else {
          std::size_t n = std::min<std::size_t>(TOOLTIP_TEXT_MAX - 1, t.text.size());
          std::copy_n(t.text.c_str(), n, ti->lpszText);
          ti->lpszText[n] = 0;
        }
      }
      return TRUE;
    }
    case TTM_ACTIVATE:
      d->active = wParam != 0;
      if (!d->active) {
        Hide(h);
        KillTimer(h, kTimerShow);
      }
      return 0;
    case TTM_SETDELAYTIME:
      SetDelays(d, wParam, lParam);
      return 0;
    case TTM_GETDELAYTIME:
      switch (wParam) {
        case TTDT_RESHOW:
          return d->reshow;
        case TTDT_AUTOPOP:
          return d->autopop;
        default:
          return d->initial;
      }
    case TTM_SETTIPBKCOLOR:
      d->back_color = static_cast<COLORREF>(wParam);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case TTM_SETTIPTEXTCOLOR:
      d->text_color = static_cast<COLORREF>(wParam);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case TTM_GETTIPBKCOLOR:
      return d->back_color;
    case TTM_GETTIPTEXTCOLOR:
      return d->text_color;
    case TTM_SETMAXTIPWIDTH:
      return -1;
    case TTM_RELAYEVENT:
      Relay(h, reinterpret_cast<const MSG*>(lParam));
      return 0;
    case TTM_POP:
      Hide(h);
      return 0;
    case TTM_UPDATE:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case TTM_WINDOWFROMPOINT: {
      auto* pt = reinterpret_cast<const POINT*>(lParam);
      return pt ? reinterpret_cast<LRESULT>(WindowFromPoint(*pt)) : 0;
    }
    case TTM_GETCURRENTTOOLW:
      return d->current != -1;
    case WM_TIMER:
      switch (wParam) {
        case kTimerShow: {
          KillTimer(h, kTimerShow);
          int old = d->tool;
          int now = CheckTool(h, true);
          if ((d = Data(h))) {
            d->tool = now;
            if (now == old) Show(h);
          }
          break;
        }
        case kTimerPop:
          KillTimer(h, kTimerPop);
          Hide(h);
          break;
        case kTimerLeave: {
          int old = d->tool;
          int now = CheckTool(h, false);
          if ((d = Data(h))) {
            d->tool = now;
            if (now != old) Hide(h);
          }
          break;
        }
      }
      return 0;
    case WM_NCHITTEST:
      if (d->current >= 0 &&
          (d->tools[static_cast<std::size_t>(d->current)].flags & TTF_TRANSPARENT))
        return HTTRANSPARENT;
      return DefWindowProcW(h, msg, wParam, lParam);
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
      Hide(h);
      return 0;
    case WM_SETFONT:
      d->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(d->font);
    case WM_SETTEXT:
      return TRUE;  // the text is the tip's
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(h);
      return 0;
  }
  return DefWindowProcW(h, msg, wParam, lParam);
}

}  // namespace user
