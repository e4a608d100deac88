// Shared set-up of the window-system tests: a headless host installed per test, the program's
// resources, a recording window class and a message pump that runs until the program is idle.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/host/headless/headless_host.h"
#include "platform/user/user.h"
#include "platform/user/winuser.h"
#include "res/embedded_resources.h"

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

}  // namespace usertest
