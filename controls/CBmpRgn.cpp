#include "CBmpRgn.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

namespace {

// A pixel matches the key when each of its first three stored bytes is within 2 of the key's
// byte at the same position (red, green, blue in the key's order).
bool MatchesKey(const BYTE* pixel, COLORREF key) {
  for (int k = 0; k < 3; ++k) {
    const int keyByte = static_cast<int>((key >> (8 * k)) & 0xFF);
    if (std::abs(static_cast<int>(pixel[k]) - keyByte) > 2) return false;
  }
  return true;
}

// Hole coordinates come from the caller as they are; adding the frame and the row wraps around as
// coordinate arithmetic does in 32 bits, instead of overflowing. A wrapped point lies far outside
// any window, so its hole cuts nothing.
LONG Moved(LONG value, LONG by) {
  return static_cast<LONG>(static_cast<std::uint32_t>(value) + static_cast<std::uint32_t>(by));
}

}  // namespace

void CBmpRgn::ShapeWindow(POINT* holes, int count) {
  if (!m_hBitmap || m_hTargetWnd == nullptr) return;
  BITMAP bm{};
  if (::GetObjectW(m_hBitmap.get(), sizeof(bm), &bm) == 0 || bm.bmWidth <= 0) return;
  const int width = bm.bmWidth;
  const int height = bm.bmHeight > 0 ? bm.bmHeight : 0;
  const int stride = bm.bmWidthBytes;
  const int bytesPerPixel = stride / width;
  if (bytesPerPixel < 3) return;  // the test reads three bytes per pixel

  if ((::GetWindowLongW(m_hTargetWnd, GWL_STYLE) & static_cast<LONG>(WS_CAPTION)) != 0) {
    m_nFrameY += ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYDLGFRAME);
    m_nFrameX += ::GetSystemMetrics(SM_CXDLGFRAME);
  }

  const std::size_t bufferSize =
      static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
  std::vector<BYTE> pixels;
  std::vector<POINT> points;
  try {
    pixels.resize(bufferSize);
    points.resize(2 * static_cast<std::size_t>(height));
  } catch (const std::bad_alloc&) {
    return;  // before the window is touched
  }
  ::GetBitmapBits(m_hBitmap.get(), static_cast<LONG>(bufferSize), pixels.data());

  m_hRgn = ::CreateRectRgn(0, 0, width + 2 * m_nFrameX, height + m_nFrameY);

  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  ::GetWindowPlacement(m_hTargetWnd, &wp);
  ::SetWindowPos(m_hTargetWnd, nullptr, wp.rcNormalPosition.left, wp.rcNormalPosition.top,
                 width + m_nFrameX, height + m_nFrameY + m_nFrameX, SWP_NOZORDER);

  for (int r = 0; r < height; ++r) {
    const BYTE* row =
        pixels.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(stride);
    POINT& left = points[static_cast<std::size_t>(r)];
    POINT& right = points[static_cast<std::size_t>(2 * height - 1 - r)];
    left.y = right.y = m_nFrameY + r;
    // A row that is all key colour has no edges: both its points sit at the frame's left edge, so
    // the row adds nothing to the polygon.
    left.x = right.x = m_nFrameX;
    for (int x = 0; x < width; ++x) {
      if (!MatchesKey(row + x * bytesPerPixel, m_clrKey)) {
        left.x = m_nInsetLeft + m_nFrameX + x;
        break;
      }
    }
    for (int x = width - 1; x >= 0; --x) {
      if (!MatchesKey(row + x * bytesPerPixel, m_clrKey)) {
        right.x = m_nFrameX - m_nInsetRight + x;
        break;
      }
    }
  }

  const gdi::UniqueRegion outline(::CreatePolygonRgn(points.data(), 2 * height, ALTERNATE));
  if (outline) ::CombineRgn(m_hRgn.get(), m_hRgn.get(), outline.get(), RGN_AND);

  CutHoles(holes, count);

  // From here on the window owns the region; should it refuse it, the builder still frees it.
  if (::SetWindowRgn(m_hTargetWnd, m_hRgn.get(), TRUE) != 0) m_hRgn.release();
}

void CBmpRgn::CutHoles(POINT* holes, int count) {
  if (holes == nullptr || count < 1) return;
  int start = 0;
  for (int i = 0; i < count; ++i) {
    if (holes[i].x != 0 || holes[i].y != 0) continue;
    const int n = i - start;
    if (n > 0) {
      const int y0 = holes[start].y;
      const int h = n / 2;
      for (int k = 0; k < h; ++k) {
        holes[start + k].x = Moved(holes[start + k].x, m_nFrameX);
        holes[start + k].y = Moved(Moved(y0, m_nFrameY), k);
      }
      for (int t = 0; t < h; ++t) {
        POINT& right = holes[start + 2 * h - 1 - t];
        right.x = Moved(right.x, m_nFrameX);
        right.y = holes[start + t].y;
      }
      const gdi::UniqueRegion hole(::CreatePolygonRgn(holes + start, n, ALTERNATE));
      if (hole && m_hRgn) ::CombineRgn(m_hRgn.get(), m_hRgn.get(), hole.get(), RGN_DIFF);
    }
    start = i + 1;
  }
}
