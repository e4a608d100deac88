// What a person feels of the skinned controls: a button's hover change (picture swap and repaint),
// one step of a slider drag (move, value, notification, repaint) and a label's text change, each
// from the input event to the pixels handed to the screen.
#include <benchmark/benchmark.h>

#include <memory>

#include "CBitmapSlider.h"
#include "CMPButton.h"
#include "CMPStatic.h"
#include "afxwin.h"
#include "embedded_resources.h"
#include "headless_host.h"
#include "user.h"

namespace {

constexpr DWORD kStyle = 0x52000100;

// The main window's skin as the parent's background, as the program shows it.
class CParent : public CWnd {
 public:
  CParent() { m_skin.LoadBitmap(251); }
  BOOL CreateOnScreen() {
    if (!CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800, 540, nullptr,
                  nullptr))
      return FALSE;
    return ::SetPropW(m_hWnd, L"MPBmpProp", m_skin.GetSafeHandle());
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_ERASEBKGND) return TRUE;
    if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
    CPaintDC dc(this);
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap* old = mem.SelectObject(&m_skin);
    dc.BitBlt(0, 0, 800, 540, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
    return 0;
  }

 private:
  CBitmap m_skin;
};

struct Env {
  Env() {
    res::InstallEmbeddedResources();
    host = std::make_unique<host::HeadlessHost>();
    user::SetHost(host.get());
    parent.CreateOnScreen();
    LOGFONTW lf{};
    lf.lfHeight = 18;
    lf.lfWeight = FW_BOLD;
    wcscpy(lf.lfFaceName, L"Arial");
    bold.CreateFontIndirect(&lf);
  }
  ~Env() {
    parent.DestroyWindow();
    user::SetHost(nullptr);
  }
  void Pump() {
    MSG m;
    while (::GetMessageW(&m, nullptr, 0, 0) > 0) ::DispatchMessageW(&m);
  }
  std::unique_ptr<host::HeadlessHost> host;
  CParent parent;
  CFont bold;
};

// The Apply button (194 x 49, its text in the bold font): the pointer comes onto it, or leaves it.
void BM_ButtonHoverChange(benchmark::State& state) {
  Env env;
  CMPButton apply;
  apply.SetBitmaps(206, 207, 0);
  apply.Create(L"Button", L"Apply", kStyle, CRect(586, 474, 587, 475), &env.parent, 1509);
  apply.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(env.bold.GetSafeHandle()), 0);
  env.Pump();
  bool over = false;
  for (auto _ : state) {
    over = !over;
    env.host->MovePointer(over ? host::Point{680, 500} : host::Point{300, 20});
    env.Pump();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ButtonHoverChange)->Unit(benchmark::kMicrosecond);

// A main-window slider held by the pointer, moved one pixel at a time.
void BM_SliderDragStep(benchmark::State& state) {
  Env env;
  CBitmapSlider slider;
  slider.Create(L"msctls_trackbar32", nullptr, kStyle, CRect(586, 363, 718, 375), &env.parent,
                1539);
  slider.m_nTrackStyle = 0;
  slider.LoadThumbBitmap(233);
  slider.SetRange(0, 255);
  slider.SetPos(61);
  env.host->MovePointer({586 + 31, 369});
  env.host->PressButton();
  env.Pump();
  int x = 31;
  int step = 1;
  for (auto _ : state) {
    x += step;
    if (x == 120 || x == 10) step = -step;
    env.host->MovePointer({586 + x, 369});
    env.Pump();
  }
  env.host->ReleaseButton();
  env.Pump();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SliderDragStep)->Unit(benchmark::kMicrosecond);

// The language label switched between its two texts.
void BM_LabelTextChange(benchmark::State& state) {
  Env env;
  CMPStatic label;
  label.Create(L"static", L"ENGLISH", kStyle | SS_CENTER, CRect(650, 5, 700, 23), &env.parent,
               1546);
  env.Pump();
  bool english = false;
  for (auto _ : state) {
    label.SetWindowTextW(english ? L"ENGLISH" : L"中文");
    english = !english;
    env.Pump();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LabelTextChange)->Unit(benchmark::kMicrosecond);

}  // namespace
