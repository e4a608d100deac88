// Window-system test set-up: headless host, resources, a recording class, an idle pump.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "embedded_resources.h"
#include "headless_host.h"
#include "user.h"
#include "winuser.h"

namespace usertest {

struct Rec {
  HWND hwnd;
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};

// What the recording class writes down, and optional handlers that replace the default one.
struct Journal {
  std::vector<Rec> recs;
  std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>> handlers;
  std::vector<UINT> ignored{WM_NCHITTEST,      WM_SETCURSOR,         WM_GETTEXT,
                            WM_GETTEXTLENGTH,  WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED,
                            WM_GETDLGCODE,     WM_NCPAINT,           WM_MOVE,
                            WM_SIZE,           WM_NCCREATE,          WM_NCACTIVATE,
                            WM_ACTIVATE,       WM_SETFOCUS,          WM_KILLFOCUS,
                            WM_SHOWWINDOW,     WM_PARENTNOTIFY,      WM_MOUSEACTIVATE,
                            WM_CTLCOLORSTATIC, WM_CTLCOLORBTN};
};
Journal& J();

inline LRESULT RecordingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto& j = J();
  bool ignore = false;
  for (UINT m : j.ignored) ignore = ignore || m == msg;
  if (!ignore) j.recs.push_back({h, msg, wp, lp});
  auto it = j.handlers.find(msg);
  if (it != j.handlers.end()) return it->second(h, wp, lp);
  return DefWindowProcW(h, msg, wp, lp);
}

inline constexpr const wchar_t* kRecClass = L"UserTestRecorder";

// The messages one window received, in order.
inline std::vector<UINT> MessagesOf(HWND h) {
  std::vector<UINT> out;
  for (const auto& r : J().recs)
    if (r.hwnd == h) out.push_back(r.msg);
  return out;
}

inline int Count(HWND h, UINT msg) {
  int n = 0;
  for (const auto& r : J().recs) n += (r.hwnd == h && r.msg == msg) ? 1 : 0;
  return n;
}

class UserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    res::InstallEmbeddedResources();
    host_ = std::make_unique<host::HeadlessHost>();
    user::SetHost(host_.get());
    J() = Journal{};
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = kRecClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_WINDOW + 1));
    RegisterClassW(&wc);  // once per process; later calls find it registered
  }
  void TearDown() override {
    user::SetHost(nullptr);
    host_.reset();
  }

  // Runs the queue until the program waits for input with nothing due.
  void Pump() {
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
      if (relay_) relay_(m);
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  // Pumps until idle and forgets what was recorded so far.
  void Settle() {
    Pump();
    J().recs.clear();
  }
  // Lets virtual time pass, running every timer that falls due, then pumps until idle.
  void Wait(std::uint64_t ms) {
    host_->Wait(ms);
    Pump();
  }

  HWND TopLevel(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE,
                HWND owner = nullptr) {
    return CreateWindowExW(0, kRecClass, L"top", style, x, y, w, h, owner, nullptr, nullptr,
                           nullptr);
  }
  HWND Child(HWND parent, int id, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE,
             const wchar_t* cls = kRecClass) {
    return CreateWindowExW(0, cls, L"", style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr,
                           nullptr);
  }
  // The colour of the virtual screen at a point, as 0x00RRGGBB.
  std::uint32_t Pixel(int x, int y) const { return host_->PixelAt(x, y); }
  void Click(int x, int y) {
    host_->MovePointer({x, y});
    host_->PressButton();
    host_->ReleaseButton();
  }

  std::unique_ptr<host::HeadlessHost> host_;
  std::function<void(const MSG&)> relay_;
};

// A fill colour as the screen shows it (0x00RRGGBB) from a COLORREF.
constexpr std::uint32_t Screen(COLORREF c) {
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// Forwards to a headless host, counts waits and cursor queries, fakes other processes' windows.
class ForwardingHost final : public host::Host {
 public:
  explicit ForwardingHost(host::HeadlessHost* inner) : in_(inner) {}
  int waits = 0;
  host::Rect ScreenRect() const override { return in_->ScreenRect(); }
  host::NativeWindow CreateWindow(const host::WindowDesc& d) override {
    return in_->CreateWindow(d);
  }
  void DestroyWindow(host::NativeWindow w) override { in_->DestroyWindow(w); }
  void SetWindowRect(host::NativeWindow w, const host::Rect& r) override {
    in_->SetWindowRect(w, r);
  }
  void SetShape(host::NativeWindow w, const std::vector<host::Rect>* r) override {
    in_->SetShape(w, r);
  }
  void SetTitle(host::NativeWindow w, const std::string& t) override { in_->SetTitle(w, t); }
  void SetIcon(host::NativeWindow w, const std::vector<host::IconImage>& i) override {
    in_->SetIcon(w, i);
  }
  void Show(host::NativeWindow w, bool a) override { in_->Show(w, a); }
  void Hide(host::NativeWindow w) override { in_->Hide(w); }
  void Minimize(host::NativeWindow w) override { in_->Minimize(w); }
  void Restore(host::NativeWindow w) override { in_->Restore(w); }
  void Raise(host::NativeWindow w, bool a) override { in_->Raise(w, a); }
  bool DecoratesCaptions() const override { return in_->DecoratesCaptions(); }
  void Present(host::NativeWindow w, const host::Framebuffer& f,
               const std::vector<host::Rect>& d) override {
    in_->Present(w, f, d);
  }
  void SetCapture(host::NativeWindow w) override { in_->SetCapture(w); }
  mutable int cursor_queries = 0;
  host::Point CursorPos() const override {
    ++cursor_queries;
    return in_->CursorPos();
  }
  bool BeginMove(host::NativeWindow w, host::Point p) override { return in_->BeginMove(w, p); }
  std::uint64_t NowMs() const override { return in_->NowMs(); }
  bool PollEvent(host::Event* e) override { return in_->PollEvent(e); }
  bool WaitEvent(std::optional<std::uint64_t> d, host::Event* e) override {
    ++waits;
    return in_->WaitEvent(d, e);
  }
  void SetMarker(host::NativeWindow w, const std::string& n, long v) override {
    in_->SetMarker(w, n, v);
  }
  void RemoveMarker(host::NativeWindow w, const std::string& n) override {
    in_->RemoveMarker(w, n);
  }
  void SetLastActivePopup(host::NativeWindow o, host::NativeWindow p) override {
    in_->SetLastActivePopup(o, p);
  }
  // Other processes' windows.
  struct Foreign {
    host::NativeWindow id;
    std::map<std::string, long> markers;
    bool minimized = false;
    host::NativeWindow last_popup = 0;
  };
  std::vector<Foreign> foreign;
  std::vector<std::string> calls;
  Foreign* Other(host::NativeWindow w) {
    for (auto& f : foreign)
      if (f.id == w) return &f;
    return nullptr;
  }
  std::vector<host::ForeignWindow> ForeignWindows() override {
    std::vector<host::ForeignWindow> out;
    for (auto& f : foreign) out.push_back({f.id});
    return out;
  }
  std::optional<long> ForeignMarker(host::NativeWindow w, const std::string& n) override {
    Foreign* f = Other(w);
    if (!f || !f->markers.count(n)) return std::nullopt;
    return f->markers[n];
  }
  bool ForeignIsMinimized(host::NativeWindow w) override { return Other(w) && Other(w)->minimized; }
  void ForeignRestore(host::NativeWindow w) override {
    calls.push_back("restore " + std::to_string(w));
    if (Foreign* f = Other(w)) f->minimized = false;
  }
  void ForeignActivate(host::NativeWindow w) override {
    calls.push_back("activate " + std::to_string(w));
  }
  host::NativeWindow ForeignLastActivePopup(host::NativeWindow w) override {
    Foreign* f = Other(w);
    return f && f->last_popup ? f->last_popup : w;
  }

 private:
  host::HeadlessHost* in_;
};

}  // namespace usertest
