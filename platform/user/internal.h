// The window system's own state, shared by its source files. Nothing here is offered to programs.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host.h"
#include "surface.h"
#include "user.h"
#include "utf8.h"
#include "winuser.h"

namespace user {

// An owned region handle.
class Region {
 public:
  Region() = default;
  explicit Region(HRGN h) : h_(h) {}
  Region(int l, int t, int r, int b) : h_(CreateRectRgn(l, t, r, b)) {}
  explicit Region(const RECT& rc) : h_(CreateRectRgn(rc.left, rc.top, rc.right, rc.bottom)) {}
  ~Region() { Reset(); }
  Region(Region&& o) noexcept : h_(o.Release()) {}
  Region& operator=(Region&& o) noexcept {
    if (this != &o) {
      Reset();
      h_ = o.Release();
    }
    return *this;
  }
  Region(const Region&) = delete;
  Region& operator=(const Region&) = delete;

  HRGN get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  HRGN Release() {
    HRGN h = h_;
    h_ = nullptr;
    return h;
  }
  void Reset(HRGN h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }
  Region Copy() const;
  bool Empty() const;
  RECT Box() const;

 private:
  HRGN h_ = nullptr;
};

struct WindowClass {
  std::wstring name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  ATOM atom = 0;
  bool system = false;  // registered by the window system itself
};

// Per-class private state of the standard controls and dialogs; each kind derives from this.
struct ControlData {
  virtual ~ControlData() = default;
};

struct MenuItem {
  UINT flags = 0;
  UINT_PTR id = 0;
  std::wstring text;
};
struct Menu {
  HMENU handle = nullptr;
  HWND owner = nullptr;
  std::vector<MenuItem> items;
};

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> cls;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exstyle = 0;
  HWND parent = nullptr;       // children only
  HWND owner = nullptr;        // top-level windows only
  std::vector<HWND> children;  // z-order, top first
  RECT rect{};  // window rectangle: parent's client coordinates (children) or screen (top-level)
  std::wstring text;
  LONG_PTR id = 0;
  LONG_PTR userdata = 0;
  HINSTANCE instance = nullptr;
  std::vector<unsigned char> extra;
  Region region;                                       // window coordinates; the window owns it
  std::vector<std::pair<std::wstring, HANDLE>> props;  // names folded to lower case
  HICON icons[2] = {nullptr, nullptr};

  // Painting.
  Region update;  // client coordinates; null when nothing to paint
  bool erase = false;
  bool internal_paint = false;
  bool nc_dirty = false;
  bool in_paint = false;

  // State.
  bool minimized = false;
  RECT normal{};  // restore rectangle of a minimised top-level window
  bool destroying = false;
  HWND last_active_popup = nullptr;
  HWND saved_focus = nullptr;  // focus to restore when a top-level window is activated again

  // Top-level windows.
  host::NativeWindow native = 0;
  HBITMAP framebuffer = nullptr;
  Region dirty;  // window coordinates; what to present

  // Foreign windows (other processes) reached through the host.
  bool foreign = false;

  bool is_message_box = false;
  std::wstring message_text;

  std::unique_ptr<Menu> sysmenu;
  std::unique_ptr<ControlData> data;

  bool IsChild() const { return (style & WS_CHILD) != 0; }
};

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT interval = 0;
  std::uint64_t due = 0;
  TIMERPROC proc = nullptr;
};

// A message made from a host input event, with the key-state change it carries.
struct InputMsg {
  MSG msg{};
  int vk = -1;
  bool down = false;
};

struct MoveLoop {
  bool active = false;
  HWND hwnd = nullptr;
  POINT press{};
  RECT start{};
};

// What outlives a host: window classes are registered once per process (the framework and the
// program register theirs on first use and never again); handles come from counters that never go
// back, so a handle kept from an earlier host stays stale instead of naming a new object; and the
// top-level observer belongs to the program, which installs it once, before any host. Icons,
// strings and system-colour brushes, once loaded, are shared for the process's lifetime as well;
// their caches live with the code that loads them.
struct ProcessState {
  std::vector<std::shared_ptr<WindowClass>> classes;
  ATOM next_atom = 0xC000;
  std::uintptr_t next_handle = 0x10000;
  std::uintptr_t next_menu = 0x20000;
  std::uintptr_t next_hook = 0x30000;
  UINT_PTR next_timer_id = 0x7FFF0000;
  std::function<void(const TopLevelEvent&)> observer;
};

struct Hook {
  HHOOK handle = nullptr;
  HOOKPROC proc = nullptr;
};

// Everything one host's run of the window system holds. SetHost replaces the whole record, so a
// field added here starts empty with every host and nothing of one run leaks into the next.
struct SessionState {
  host::Host* host = nullptr;

  // Windows, the desktop window (its rectangle is the host's screen) and proxies for other
  // processes' windows.
  std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> windows;
  std::vector<std::unique_ptr<Window>> graveyard;  // freed when no message is being handled
  std::vector<HWND> toplevels;                     // z-order, top first
  std::map<host::NativeWindow, HWND> by_native;
  HWND desktop = nullptr;
  std::vector<HWND> foreign_snapshot;  // the desktop walk's view of other processes' windows
  std::map<host::NativeWindow, HWND> foreign_by_native;

  // The queue.
  std::deque<MSG> posted;
  std::deque<host::Event> raw_input;
  std::deque<InputMsg> input;
  std::vector<Timer> timers;
  bool quit_posted = false;
  int quit_code = 0;
  int send_depth = 0;

  // Input.
  HWND capture = nullptr;
  HWND focus = nullptr;
  HWND active = nullptr;
  std::array<unsigned char, 256> key_state{};    // as of the messages read
  std::array<unsigned char, 256> async_state{};  // as the host reports it
  // Where the pointer was last seen (its last event, or the last GetCursorPos): the position that
  // messages carry, which costs the host no question.
  std::optional<POINT> pointer;
  POINT last_click{};
  std::uint64_t last_click_time = 0;
  HWND last_click_hwnd = nullptr;
  bool dblclick_armed = false;
  MoveLoop move;
  HWND menu_window = nullptr;  // an open popup menu takes keys and pointer
  HCURSOR cursor = nullptr;

  std::map<std::uintptr_t, Menu*> menus;  // each owned by its window
  std::vector<Hook> hooks;                // newest first

  // Device contexts handed out by GetDC/GetWindowDC/BeginPaint, and framebuffers replaced while
  // some of those could still draw into them.
  std::map<HDC, HWND> dcs;
  std::vector<HBITMAP> retired_framebuffers;
};

ProcessState& Process();
SessionState& Session();
host::Host* CurrentHost();

// ---- Handles and the tree.
HWND NewWindowHandle();  // never handed out before in this process
Window* Find(HWND h);    // null for a stale, foreign or null handle

// The private state of kind T that window h carries; null when h is gone or carries another kind.
template <typename T>
T* FindControlData(HWND h) {
  Window* w = Find(h);
  return w ? dynamic_cast<T*>(w->data.get()) : nullptr;
}

// The first step of a standard control's procedure: WM_NCCREATE gives the window fresh state of
// kind T, any other message finds that state. Null (state just made, window gone, or no state of
// that kind) leaves the message to DefWindowProcW.
template <typename T>
T* ControlDataFor(HWND h, UINT msg) {
  Window* w = Find(h);
  if (!w) return nullptr;
  if (msg == WM_NCCREATE) {
    w->data = std::make_unique<T>();
    return nullptr;
  }
  return dynamic_cast<T*>(w->data.get());
}
Window* FindAny(HWND h);  // also foreign proxies
HWND Root(HWND h);        // the top-level window that contains h
bool IsDescendant(HWND ancestor, HWND h);
bool Visible(const Window* w);  // it and its ancestors shown, top-level not minimised
std::vector<HWND> ChildrenCopy(HWND h);
void CollectGarbage();

// ---- Geometry.
RECT ClientInsets(const Window* w);  // frame widths: left, top, right, bottom
RECT ClientRectInWindow(const Window* w);
POINT WindowOriginOnScreen(const Window* w);
POINT ClientOriginOnScreen(const Window* w);
POINT OriginInRoot(const Window* w);        // window origin in its top-level's window coordinates
POINT ClientOriginInRoot(const Window* w);  // client origin in the same
bool OwnCaption(const Window* w);           // the window system draws its caption and frame
int CaptionHeight();
int DialogFrame();

// ---- Painting.
Region VisibleClientRegion(const Window* w, bool clip_children);  // root window coordinates
Region VisibleWindowRegion(const Window* w);                      // whole window, root coordinates
void InvalidateInternal(HWND h, HRGN client_rgn, bool erase, bool children);
void InvalidateWhole(HWND h, bool erase);
void InvalidateParentArea(HWND h, const RECT& rect_in_parent);
bool FindPaintWindow(HWND filter, HWND* out);
void PresentAll();
void EnsureFramebuffer(Window* w);
void MarkDirty(Window* root, const RECT& rc);
void DrawNonClient(HWND h);
void ReleaseWindowDCs(HWND h);

// ---- Queue.
bool NextMessage(MSG* msg, HWND hwnd, UINT min, UINT max, bool remove, bool* got_quit);
std::optional<std::uint64_t> NextTimerDeadline();
void KillWindowTimers(HWND h);
void PumpHostEvents();
bool ProcessHostEvent(const host::Event& ev);  // non-input events; true when consumed

// ---- Input.
bool ConvertInput(const host::Event& ev, InputMsg* out);  // false: the event makes no message
HWND HitTest(POINT screen, LRESULT* code, HWND start);    // start: top-level to begin with
void RunMoveLoop(HWND h, POINT press);
void ApplyKeyState(const InputMsg& m);
WPARAM MouseKeyFlags();
void Activate(HWND h, bool from_host);
void OnDestroyFocus(HWND h);

// ---- Windows.
void ShowNative(Window* w, bool activate);
void Notify(TopLevelEvent::Kind kind, HWND h);
void SetNativeShape(Window* w);
std::wstring Fold(const std::wstring& s);

// ---- Classes registered by the window system.
void RegisterSystemClasses();
std::shared_ptr<WindowClass> FindClass(LPCWSTR name);
LRESULT ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT TrackbarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT TooltipProc(HWND, UINT, WPARAM, LPARAM);
LRESULT MenuProc(HWND, UINT, WPARAM, LPARAM);

// ---- Dialogs and menus.
INT_PTR RunModalLoop(HWND dialog, HWND owner, bool owner_was_enabled);
INT_PTR RunModal(HWND dialog, HWND owner, bool reenable_owner);
void OpenSystemMenu(HWND h);
Menu* FindMenu(HMENU m);
HFONT DefaultGuiFont();
void GetBaseUnits(HFONT font, int* bx, int* by);
HICON IconFromResource(UINT id);
// The pictures of the icons a top-level window was given with WM_SETICON, for its host.
std::vector<host::IconImage> WindowIconImages(const Window* w);

}  // namespace user
