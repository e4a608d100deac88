#include "control_test_support.h"

#include <algorithm>
#include <climits>

#include "CBitmapSlider.h"

void PrintTo(const CRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace controltest {

std::uint32_t ParentBackground(int x, int y) {
  const auto red = static_cast<std::uint32_t>(x & 0xFF);
  const auto green = static_cast<std::uint32_t>((2 * y) & 0xFF);
  return (red << 16) | (green << 8) | 0x30;
}

void PrintTo(const Msg& m, std::ostream* os) {
  *os << std::hex << "{0x" << m.message << ", 0x" << m.wParam << ", 0x" << m.lParam << "}"
      << std::dec;
}

HBITMAP MakeBitmap(int w, int h, const std::function<std::uint32_t(int, int)>& colour) {
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(w) * h);
  // Stored as blue, green, red, 0: the same bits as 0x00RRGGBB in a little-endian word.
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) pixels.push_back(colour(x, y));
  }
  return ::CreateBitmap(w, h, 1, 32, pixels.data());
}

void DrawBitmap(CDC* dc, CBitmap& bitmap) {
  BITMAP bm{};
  bitmap.GetBitmap(&bm);
  CDC mem;
  mem.CreateCompatibleDC(dc);
  CBitmap* old = mem.SelectObject(&bitmap);
  dc->BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &mem, 0, 0, SRCCOPY);
  mem.SelectObject(old);
}

void MakeArial(CFont& font, LONG height, LONG weight) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  wcscpy(lf.lfFaceName, L"Arial");
  font.CreateFontIndirect(&lf);
}

std::vector<std::uint32_t> ScreenPixels(const host::HeadlessHost& host, const CRect& area) {
  std::vector<std::uint32_t> pixels;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) pixels.push_back(host.PixelAt(x, y));
  }
  return pixels;
}

CParentWnd::CParentWnd() {
  m_background.Attach(MakeBitmap(kParentWidth, kParentHeight, ParentBackground));
}

BOOL CParentWnd::CreateAt(int left, int top, int width, int height) {
  if (!CreateEx(0, nullptr, L"parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, left, top, width,
                height, nullptr, nullptr))
    return FALSE;
  return ::SetPropW(m_hWnd, L"MPBmpProp", m_background.GetSafeHandle());
}

LRESULT CParentWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_SLIDER_TRACK:
    case WM_SLIDER_SET: {
      const Msg m{message, wParam, lParam};
      received.push_back(m);
      if (onNotify) onNotify(m);
      return 0;
    }
    case WM_LBUTTONDOWN:
      ++presses;
      return 0;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT: {
      CPaintDC dc(this);
      DrawBitmap(&dc, m_background);
      return 0;
    }
    default:
      return CWnd::WindowProc(message, wParam, lParam);
  }
}

void ControlTest::SetUp() {
  HostTest::SetUp();
  ASSERT_TRUE(parent_.CreateAt(kParentLeft, kParentTop, kParentWidth, kParentHeight));
}

void ControlTest::Settle() {
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void ControlTest::Wait(std::uint64_t ms) {
  host_.Wait(ms);
  Settle();
}

void ControlTest::MoveTo(int x, int y) {
  host_.MovePointer({x, y});
  Settle();
}

void ControlTest::Press() {
  host_.PressButton();
  Settle();
}

void ControlTest::Release() {
  host_.ReleaseButton();
  Settle();
}

void ControlTest::Key(unsigned vk) {
  host_.PressKey(vk);
  Settle();
}

CRect InkBox(const host::HeadlessHost& host, const CRect& area,
             const std::function<bool(std::uint32_t)>& isInk, POINT origin) {
  CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (!isInk(host.PixelAt(x, y))) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  if (box.left == INT_MAX) return CRect();
  box.OffsetRect(-origin.x, -origin.y);
  return box;
}

}  // namespace controltest
