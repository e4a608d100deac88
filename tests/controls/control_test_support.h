// Shared by the control tests: a patterned parent that records notifications, input, pictures.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <set>
#include <vector>

#include "test_support.h"

// Rectangles in failure messages.
void PrintTo(const CRect& r, std::ostream* os);

namespace controltest {

// The parent sits here on the screen; its client area starts at this point.
constexpr int kParentLeft = 100;
constexpr int kParentTop = 100;
constexpr int kParentWidth = 700;
constexpr int kParentHeight = 260;

// The parent's background at a client point, 0x00RRGGBB, different at every point.
std::uint32_t ParentBackground(int x, int y);

// A 32-bit bitmap whose pixels `colour` gives as 0x00RRGGBB.
HBITMAP MakeBitmap(int w, int h, const std::function<std::uint32_t(int, int)>& colour);
// Copies `bitmap` to `dc` at (0, 0), its full size.
void DrawBitmap(CDC* dc, CBitmap& bitmap);
// Arial of the given height and weight.
void MakeArial(CFont& font, LONG height, LONG weight);
// The screen pixels of `area`, rows top first.
std::vector<std::uint32_t> ScreenPixels(const host::HeadlessHost& host, const CRect& area);

// One message as a window received it.
struct Msg {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  bool operator==(const Msg& o) const {
    return message == o.message && wParam == o.wParam && lParam == o.lParam;
  }
};
void PrintTo(const Msg& m, std::ostream* os);

// A top-level window showing ParentBackground (also its "MPBmpProp"), recording notifications.
class CParentWnd : public CWnd {
 public:
  CParentWnd();
  BOOL CreateAt(int left, int top, int width, int height);

  std::vector<Msg> received;  // WM_COMMAND, WM_SLIDER_TRACK and WM_SLIDER_SET, in order
  std::function<void(const Msg&)> onNotify;  // called as each one arrives
  int presses = 0;                           // left presses that reached the parent itself

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CBitmap m_background;
};

class ControlTest : public test::HostTest {
 protected:
  void SetUp() override;

  // Runs the queue (posted messages, input, paints, due timers) until the program waits.
  void Settle();
  // Lets `ms` of virtual time pass, running each timer at its time, then settles.
  void Wait(std::uint64_t ms);
  // Input as a person gives it, each settled before the call returns.
  void MoveTo(int x, int y);
  void Press();
  void Release();
  void Key(unsigned vk);

  std::uint32_t Pixel(int x, int y) const { return host_.PixelAt(x, y); }
  // A pixel of the parent's client area.
  std::uint32_t ParentPixel(int x, int y) const {
    return host_.PixelAt(kParentLeft + x, kParentTop + y);
  }

  CParentWnd parent_;
};

// The box of the screen pixels in `area` that `isInk` accepts, relative to `origin`; may be empty.
CRect InkBox(const host::HeadlessHost& host, const CRect& area,
             const std::function<bool(std::uint32_t)>& isInk, POINT origin = {0, 0});

}  // namespace controltest
