// A window of the headless host shaped from any bitmap with any hole list.
//
// Input, field by field (see fuzz_input.h):
//   U8 flags            1 the window has a caption, 2 a monochrome bitmap, 4 hole points may lie
//                       anywhere in the 32-bit range (else near the origin), 8 shape twice (the
//                       frame offsets add up)
//   U8 width - 1, U8 height (0 makes no bitmap), each taken modulo 32
//   U32 key colour, U8 left inset, U8 right inset (signed)
//   U8 hole points, then each point: x, y, each a signed byte, in the wide mode followed by a U8
//   choosing where around it lies: the origin, either end of the range, or far out
//   the rest: the bitmap's bits, row by row (missing bytes are 0)
#include <cstdint>
#include <vector>

#include "CBmpRgn.h"
#include "fuzz_input.h"
#include "gdi_owners.h"
#include "headless_host.h"
#include "user.h"
#include "winuser.h"

namespace {

constexpr wchar_t kClassName[] = L"FuzzShape";
constexpr RECT kStart = {40, 30, 50, 40};

// One window with a caption and one without, made once: creating windows for every input would
// cost more than the shaping itself. Each input starts them again from a plain 10 x 10 rectangle.
HWND Window(bool captioned) {
  static host::HeadlessHost host;
  static HWND windows[2] = {};
  if (windows[0] == nullptr) {
    user::SetHost(&host);
    WNDCLASSW wc{};
    wc.lpfnWndProc = &DefWindowProcW;
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
    for (int i = 0; i < 2; ++i) {
      windows[i] =
          ::CreateWindowExW(0, kClassName, L"", WS_POPUP | (i == 1 ? WS_CAPTION : 0), kStart.left,
                            kStart.top, kStart.right - kStart.left, kStart.bottom - kStart.top,
                            nullptr, nullptr, nullptr, nullptr);
      fuzz::Check(windows[i] != nullptr, "the window is created");
      // The window system keeps a few drawing objects for good once a window is first shaped and
      // drawn (its caption's font, for one); make them now, before anything is counted.
      const std::uint32_t pixel = 0;
      CBmpRgn warm_up;
      warm_up.m_hTargetWnd = windows[i];
      warm_up.m_hBitmap.reset(::CreateBitmap(1, 1, 1, 32, &pixel));
      warm_up.ShapeWindow(nullptr, 0);
    }
  }
  HWND wnd = windows[captioned ? 1 : 0];
  ::SetWindowRgn(wnd, nullptr, FALSE);
  ::SetWindowPos(wnd, nullptr, kStart.left, kStart.top, kStart.right - kStart.left,
                 kStart.bottom - kStart.top, SWP_NOZORDER | SWP_NOACTIVATE);
  return wnd;
}

// What the message loop does between inputs: among other things the window system frees the
// framebuffers that resizing replaced.
void Idle() {
  MSG msg{};
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

// A hole coordinate. Wide ones lie near the origin, near either end of the 32-bit range or far out
// at a power of two: that reaches every overflow, while a polygon spanning millions of rows at
// random would only slow the search (the region code scans it row by row).
LONG Coordinate(fuzz::Input& in, bool wide) {
  const LONG near = static_cast<std::int8_t>(in.U8());
  if (!wide) return near;
  static constexpr LONG kAround[] = {0, INT32_MAX - 127, INT32_MIN + 128, 1 << 27};
  return near + kAround[in.U8() % 4];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::uint8_t flags = in.U8();
  const bool captioned = (flags & 1) != 0;
  const bool mono = (flags & 2) != 0;
  const bool wide_points = (flags & 4) != 0;
  const bool twice = (flags & 8) != 0;
  // Small pictures reach every path of the scan as well as large ones, many times faster.
  const int width = in.U8() % 32 + 1;
  const int height = in.U8() % 32;
  const COLORREF key = in.U32();
  const int inset_left = static_cast<std::int8_t>(in.U8());
  const int inset_right = static_cast<std::int8_t>(in.U8());
  std::vector<POINT> holes(in.U8());
  for (POINT& p : holes) {
    p.x = Coordinate(in, wide_points);
    p.y = Coordinate(in, wide_points);
  }
  const std::size_t stride = mono ? ((static_cast<std::size_t>(width) + 15) / 16) * 2
                                  : static_cast<std::size_t>(width) * 4;
  std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(height));
  const auto rest = in.Rest();
  std::copy_n(rest.begin(), std::min(rest.size(), bits.size()), bits.begin());

  HWND wnd = Window(captioned);
  Idle();
  const std::size_t objects = gdi::ObjectCount();
  {
    CBmpRgn shaper;
    shaper.m_hTargetWnd = wnd;
    shaper.m_hBitmap.reset(::CreateBitmap(width, height, 1, mono ? 1 : 32, bits.data()));
    shaper.m_clrKey = key;
    shaper.m_nInsetLeft = inset_left;
    shaper.m_nInsetRight = inset_right;
    // A height of 0 gives the 1 x 1 monochrome default bitmap, which shapes nothing.
    const bool shapes = shaper.m_hBitmap && !mono && height > 0;
    shaper.ShapeWindow(holes.data(), static_cast<int>(holes.size()));
    if (twice) shaper.ShapeWindow(holes.data(), static_cast<int>(holes.size()));

    RECT rc{};
    ::GetWindowRect(wnd, &rc);
    if (shapes) {
      const int fx = shaper.m_nFrameX;
      const int fy = shaper.m_nFrameY;
      fuzz::Check(rc.right - rc.left == width + fx && rc.bottom - rc.top == height + fy + fx,
                  "the window takes the bitmap's size plus its frame");
      const gdi::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
      if (::GetWindowRgn(wnd, region.get()) != ERROR) {
        RECT box{};
        ::GetRgnBox(region.get(), &box);
        const bool empty = box.left >= box.right || box.top >= box.bottom;
        fuzz::Check(empty || (box.left >= 0 && box.top >= 0 && box.right <= width + 2 * fx &&
                              box.bottom <= height + fy),
                    "the region lies inside the frame's rectangle");
      }
    } else {
      fuzz::Check(rc.right - rc.left == 10 && rc.bottom - rc.top == 10,
                  "no usable bitmap leaves the window alone");
    }
  }
  // The window holds at most the one region it was given.
  ::SetWindowRgn(wnd, nullptr, FALSE);
  ::SetWindowPos(wnd, nullptr, 0, 0, kStart.right - kStart.left, kStart.bottom - kStart.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Idle();
  fuzz::Check(gdi::ObjectCount() == objects, "no bitmap or region is left behind");
  return 0;
}
