// The headless program's script runner on any script, driving a tiny program of its own on the
// headless host: a captioned window with two buttons (one sends the controller a report, one opens
// a message box), a timer, and Escape to close, which reads the controller at start as the
// application does.
//
// Scripts that take screenshots are skipped (they would write files wherever the input says), and
// so are scripts that wait more than a minute of virtual time in all (nothing new happens then,
// only more timer rounds).
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "discovery.h"
#include "fuzz_input.h"
#include "headless_host.h"
#include "requests.h"
#include "script_runner.h"
#include "user.h"
#include "winuser.h"

namespace {

constexpr wchar_t kClassName[] = L"FuzzTiny";
constexpr int kApplyId = 1;
constexpr int kBoxId = 2;
constexpr UINT_PTR kTimerId = 7;
constexpr int kMaxTotalWaitMs = 60'000;

struct Program {
  HWND main = nullptr;
  HANDLE device = INVALID_HANDLE_VALUE;
  script::LightingState state;
};
Program* g_program = nullptr;

LRESULT TinyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Program& p = *g_program;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kApplyId) {
        device::LightingSettings s;
        s.effect = ++p.state.effect;
        s.red = p.state.red;
        device::ApplyArgbSettings(p.device, s);
      } else if (LOWORD(wParam) == kBoxId) {
        ::MessageBoxW(hwnd, L"Hello", L"Note", MB_OK);
      }
      return 0;
    case WM_TIMER:
      ::KillTimer(hwnd, kTimerId);
      ++p.state.color;
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) ::DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      p.main = nullptr;
      ::PostQuitMessage(3);
      return 0;
    default:
      return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

int RunTiny() {
  Program program;
  g_program = &program;
  device::DeviceDiscovery discovery;
  discovery.FindDevice();
  program.device = discovery.m_hDevice.get();
  device::ReadLightsQty(program.device, program.state.qty);
  BYTE in_out = 0;
  const device::Rgb color = device::ReadDeviceColor(program.device, in_out);
  program.state.red = color.red;
  program.state.green = color.green;
  program.state.blue = color.blue;

  program.main = ::CreateWindowExW(0, kClassName, L"Tiny", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100,
                                   100, 300, 200, nullptr, nullptr, nullptr, nullptr);
  ::CreateWindowExW(0, L"Button", L"Apply", WS_CHILD | WS_VISIBLE, 10, 10, 80, 30, program.main,
                    reinterpret_cast<HMENU>(kApplyId), nullptr, nullptr);
  ::CreateWindowExW(0, L"Button", L"Box", WS_CHILD | WS_VISIBLE, 110, 10, 80, 30, program.main,
                    reinterpret_cast<HMENU>(kBoxId), nullptr, nullptr);
  ::SetTimer(program.main, kTimerId, 500, nullptr);
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (program.main != nullptr) ::DestroyWindow(program.main);
  g_program = nullptr;
  return static_cast<int>(msg.wParam);
}

std::optional<script::LightingState> State() {
  if (g_program == nullptr || g_program->main == nullptr) return std::nullopt;
  return g_program->state;
}

host::HeadlessHost& Host() {
  static host::HeadlessHost host;
  static const bool installed = [] {
    user::SetHost(&host);
    WNDCLASSW wc{};
    wc.lpfnWndProc = &TinyProc;
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
    return true;
  }();
  (void)installed;
  return host;
}

bool Worth(std::string_view text) {
  const script::ParseResult parsed = script::ParseScript(text);
  if (parsed.error) return true;  // reported before anything runs: cheap
  long long waited = 0;
  for (const script::Command& c : parsed.script.commands) {
    if (c.verb == script::Verb::kScreenshot) return false;
    if (c.verb == script::Verb::kWait) waited += c.args[0];
  }
  return waited <= kMaxTotalWaitMs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (!Worth(text)) return 0;
  static std::FILE* sink = std::fopen("/dev/null", "w");
  script::Runner runner(Host(), sink, sink, "fuzz");
  const int status = runner.Run(text, &RunTiny, &State);
  fuzz::Check(status == script::kExitOk || status == script::kExitProgramFailed ||
                  status == script::kExitBadScript,
              "the status is one of the three");
  fuzz::Check(g_program == nullptr, "the program has ended");
  return 0;
}
