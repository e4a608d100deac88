// The message queue: sent messages go straight to the procedure; posted messages, input, paints and
// timers come out of GetMessage/PeekMessage in Windows' order. When nothing is due the host waits
// for the next event or the next timer deadline, so an idle program costs nothing.
#include <algorithm>
#include <chrono>

#include "internal.h"

namespace user {
namespace {

std::uint64_t NowMs() {
  if (CurrentHost()) return CurrentHost()->NowMs();
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool InRange(UINT m, UINT min, UINT max) {
  if (min == 0 && max == 0) return true;
  return m >= min && m <= max;
}

bool Matches(const MSG& m, HWND hwnd, UINT min, UINT max) {
  if (hwnd && m.hwnd != hwnd && !IsDescendant(hwnd, m.hwnd)) return false;
  return InRange(m.message, min, max);
}

void Stamp(MSG* msg) {
  msg->time = static_cast<DWORD>(NowMs());
  auto& session = Session();
  if (!session.pointer && CurrentHost()) {
    const host::Point c = CurrentHost()->CursorPos();
    session.pointer = POINT{c.x, c.y};
  }
  msg->pt = session.pointer.value_or(POINT{0, 0});
}

bool TakeTimer(MSG* msg, HWND hwnd, UINT min, UINT max, bool remove) {
  auto& session = Session();
  if (!InRange(WM_TIMER, min, max)) return false;
  std::uint64_t now = NowMs();
  Timer* best = nullptr;
  for (auto& t : session.timers) {
    if (t.due > now) continue;
    if (hwnd && t.hwnd != hwnd) continue;
    if (!best || t.due < best->due) best = &t;
  }
  if (!best) return false;
  *msg = MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), 0, {}};
  // Missed periods merge into this one message.
  if (remove) best->due = now + best->interval;
  return true;
}

}  // namespace

namespace {

// Input waits its turn; a quit is posted at once, so that it ends even a loop that takes only
// some messages, as WM_QUIT does. False for a quit.
bool QueueHostEvent(const host::Event& ev) {
  if (ev.type == host::EventType::kQuit) {
    ProcessHostEvent(ev);
    return false;
  }
  Session().raw_input.push_back(ev);
  return true;
}

}  // namespace

void PumpHostEvents() {
  host::Host* h = CurrentHost();
  if (!h) return;
  host::Event ev;
  // A quit is the host's last word: one that lost its screen answers it to every poll.
  while (h->PollEvent(&ev) && QueueHostEvent(ev)) {
  }
}

bool ProcessHostEvent(const host::Event& ev) {
  auto& session = Session();
  HWND hwnd = nullptr;
  if (auto it = session.by_native.find(ev.window); it != session.by_native.end()) hwnd = it->second;
  switch (ev.type) {
    case host::EventType::kPointerMove:
    case host::EventType::kButtonDown:
    case host::EventType::kButtonUp:
    case host::EventType::kKeyDown:
    case host::EventType::kKeyUp:
      return false;
    case host::EventType::kWindowMoved: {
      Window* w = Find(hwnd);
      if (!w || w->minimized) return true;
      RECT now{ev.rect.left, ev.rect.top, ev.rect.right, ev.rect.bottom};
      bool sized = (now.right - now.left) != (w->rect.right - w->rect.left) ||
                   (now.bottom - now.top) != (w->rect.bottom - w->rect.top);
      w->rect = now;
      w->normal = now;
      if (sized) {
        EnsureFramebuffer(w);
        InvalidateWhole(hwnd, true);
      }
      WINDOWPOS wp{hwnd,
                   nullptr,
                   now.left,
                   now.top,
                   now.right - now.left,
                   now.bottom - now.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | (sized ? 0u : SWP_NOSIZE)};
      SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
      return true;
    }
    case host::EventType::kWindowState: {
      Window* w = Find(hwnd);
      if (!w) return true;
      if (ev.minimized && !w->minimized) {
        w->normal = w->rect;
        w->minimized = true;
        w->style |= WS_MINIMIZE;
        Notify(TopLevelEvent::Kind::kHidden, hwnd);
        SendMessageW(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
      } else if (!ev.minimized && w->minimized) {
        w->minimized = false;
        w->style &= ~WS_MINIMIZE;
        InvalidateWhole(hwnd, true);
        Notify(TopLevelEvent::Kind::kShown, hwnd);
        RECT rc;
        GetClientRect(hwnd, &rc);
        SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED,
                     MAKELPARAM(static_cast<WORD>(rc.right), static_cast<WORD>(rc.bottom)));
      }
      return true;
    }
    case host::EventType::kExpose:
      if (Window* w = Find(hwnd))
        MarkDirty(w, {ev.rect.left, ev.rect.top, ev.rect.right, ev.rect.bottom});
      return true;
    case host::EventType::kCloseRequest:
      if (Find(hwnd)) SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    case host::EventType::kFocusIn:
      if (Find(hwnd) && session.active != hwnd) Activate(hwnd, true);
      return true;
    case host::EventType::kFocusOut:
      if (hwnd && session.active == hwnd) Activate(nullptr, true);
      return true;
    case host::EventType::kQuit:
      // Every message loop ends; a lost screen ends the run in failure.
      PostQuitMessage(ev.lost ? 1 : 0);
      return true;
  }
  return true;
}

bool NextMessage(MSG* msg, HWND hwnd, UINT min, UINT max, bool remove, bool* got_quit) {
  auto& session = Session();
  *got_quit = false;
  CollectGarbage();
  PumpHostEvents();

  // Posted messages; those for windows that died meanwhile are dropped.
  for (auto it = session.posted.begin(); it != session.posted.end();) {
    if (it->hwnd && !IsWindow(it->hwnd)) {
      it = session.posted.erase(it);
      continue;
    }
    if (Matches(*it, hwnd, min, max)) {
      *msg = *it;
      if (remove) session.posted.erase(it);
      Stamp(msg);
      return true;
    }
    ++it;
  }

  if (session.quit_posted) {
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(session.quit_code), 0, 0, {}};
    if (remove) session.quit_posted = false;
    Stamp(msg);
    *got_quit = true;
    return true;
  }

  // Input, made into messages one event at a time as they come up.
  bool input_allowed = !hwnd && (InRange(WM_MOUSEMOVE, min, max) || InRange(WM_KEYDOWN, min, max) ||
                                 (min == 0 && max == 0));
  if (input_allowed) {
    for (;;) {
      if (!session.input.empty()) {
        InputMsg m = session.input.front();
        if (m.msg.hwnd && !IsWindow(m.msg.hwnd)) {
          session.input.pop_front();
          continue;
        }
        if (!InRange(m.msg.message, min, max)) break;
        *msg = m.msg;
        if (remove) {
          session.input.pop_front();
          ApplyKeyState(m);
        }
        return true;
      }
      if (session.raw_input.empty()) break;
      host::Event ev = session.raw_input.front();
      session.raw_input.pop_front();
      if (ProcessHostEvent(ev)) {
        if (session.quit_posted || !session.posted.empty())
          return NextMessage(msg, hwnd, min, max, remove, got_quit);
        continue;
      }
      InputMsg m;
      if (ConvertInput(ev, &m)) session.input.push_back(m);
      // Handling the event may have posted something that comes first.
      if (!session.posted.empty() || session.quit_posted)
        return NextMessage(msg, hwnd, min, max, remove, got_quit);
    }
  }

  if (InRange(WM_PAINT, min, max)) {
    HWND target = nullptr;
    if (FindPaintWindow(hwnd, &target)) {
      *msg = MSG{target, WM_PAINT, 0, 0, 0, {}};
      Stamp(msg);
      return true;
    }
  }
  if (TakeTimer(msg, hwnd, min, max, remove)) {
    Stamp(msg);
    return true;
  }
  return false;
}

std::optional<std::uint64_t> NextTimerDeadline() {
  std::optional<std::uint64_t> best;
  for (const auto& t : Session().timers)
    if (!best || t.due < *best) best = t.due;
  return best;
}

void KillWindowTimers(HWND h) {
  auto& timers = Session().timers;
  timers.erase(
      std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == h; }),
      timers.end());
}

}  // namespace user

using namespace user;

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  WNDPROC proc = w->proc;
  auto& session = Session();
  ++session.send_depth;
  LRESULT r = proc(hwnd, msg, wParam, lParam);
  --session.send_depth;
  return r;
}

BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd && !Find(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  Session().posted.push_back(MSG{hwnd, msg, wParam, lParam, 0, {}});
  return TRUE;
}

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!msg) return -1;
  for (;;) {
    bool quit = false;
    if (NextMessage(msg, hwnd, filterMin, filterMax, true, &quit)) return quit ? FALSE : TRUE;
    PresentAll();
    host::Host* h = CurrentHost();
    if (!h) {
      // Nothing could ever arrive: end the loop instead of blocking for good.
      *msg = MSG{nullptr, WM_QUIT, 0, 0, 0, {}};
      return FALSE;
    }
    host::Event ev;
    if (h->WaitEvent(NextTimerDeadline(), &ev)) QueueHostEvent(ev);
  }
}

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!msg) return FALSE;
  bool quit = false;
  if (NextMessage(msg, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0, &quit))
    return TRUE;
  PresentAll();
  return FALSE;
}

// Characters are not made from keys: nothing the program handles needs WM_CHAR.
BOOL TranslateMessage(const MSG*) {
  return FALSE;
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    bool known = false;
    for (const auto& t : Session().timers) known = known || (t.proc == proc);
    if (known) proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  if (!msg->hwnd) return 0;
  return SendMessageW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
  auto& session = Session();
  session.quit_posted = true;
  session.quit_code = exitCode;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  auto& session = Session();
  if (hwnd && !Find(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  UINT interval = std::clamp<UINT>(elapseMs, USER_TIMER_MINIMUM, 0x7FFFFFFF);
  if (!hwnd && id == 0) id = Process().next_timer_id++;
  for (auto& t : session.timers) {
    if (t.hwnd == hwnd && t.id == id) {
      // The same window and id: replaced, and the countdown starts again.
      t.interval = interval;
      t.proc = proc;
      t.due = NowMs() + interval;
      return hwnd ? (id ? id : 1) : id;
    }
  }
  session.timers.push_back(Timer{hwnd, id, interval, NowMs() + interval, proc});
  return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  auto& timers = Session().timers;
  auto it = std::find_if(timers.begin(), timers.end(),
                         [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == timers.end()) return FALSE;
  timers.erase(it);
  return TRUE;
}

DWORD GetTickCount() {
  return static_cast<DWORD>(NowMs());
}
