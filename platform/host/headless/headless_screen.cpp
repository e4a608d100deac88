// The virtual screen: the visible windows' last presented pixels, composed in z-order through
// their shapes over a plain desktop.
#include <algorithm>

#include "headless_host.h"
#include "png_writer.h"

namespace host {

bool HeadlessHost::Contains(const Window& w, Point p) const {
  const Rect& r = w.desc.rect;
  if (p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom) return false;
  if (!w.shape) return true;
  const int x = p.x - r.left, y = p.y - r.top;
  return std::any_of(w.shape->begin(), w.shape->end(), [x, y](const Rect& s) {
    return x >= s.left && x < s.right && y >= s.top && y < s.bottom;
  });
}

NativeWindow HeadlessHost::WindowAt(Point p) const {
  for (NativeWindow id : z_order_) {
    const Window& w = windows_.at(id);
    if (Visible(w) && Contains(w, p)) return id;
  }
  return 0;
}

std::vector<NativeWindow> HeadlessHost::VisibleWindows() const {
  std::vector<NativeWindow> out;
  for (NativeWindow id : z_order_) {
    if (Visible(windows_.at(id))) out.push_back(id);
  }
  return out;
}

std::uint32_t HeadlessHost::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return kDesktopColor;
  const Point p{x, y};
  for (NativeWindow id : z_order_) {
    const Window& w = windows_.at(id);
    if (!Visible(w) || !Contains(w, p)) continue;
    const Rect& r = w.desc.rect;
    return w.pixels[static_cast<size_t>(y - r.top) * r.Width() + (x - r.left)] & 0xFFFFFFu;
  }
  return kDesktopColor;
}

std::vector<std::uint32_t> HeadlessHost::ComposeScreen() const {
  std::vector<std::uint32_t> screen(static_cast<size_t>(kScreenWidth) * kScreenHeight,
                                    kDesktopColor);
  // Bottom to top, each window copying the parts of its shape that fall on the screen.
  for (auto it = z_order_.rbegin(); it != z_order_.rend(); ++it) {
    const Window& w = windows_.at(*it);
    if (!Visible(w)) continue;
    const Rect& r = w.desc.rect;
    const Rect whole{0, 0, r.Width(), r.Height()};
    const std::vector<Rect> full{whole};
    for (const Rect& s : w.shape ? *w.shape : full) {
      const int left = std::max({s.left, 0, -r.left});
      const int top = std::max({s.top, 0, -r.top});
      const int right = std::min({s.right, whole.right, kScreenWidth - r.left});
      const int bottom = std::min({s.bottom, whole.bottom, kScreenHeight - r.top});
      if (left >= right || top >= bottom) continue;
      for (int y = top; y < bottom; ++y) {
        const std::uint32_t* src = w.pixels.data() + static_cast<size_t>(y) * r.Width();
        std::uint32_t* dst = screen.data() + static_cast<size_t>(y + r.top) * kScreenWidth + r.left;
        std::transform(src + left, src + right, dst + left,
                       [](std::uint32_t px) { return px & 0xFFFFFFu; });
      }
    }
  }
  return screen;
}

bool HeadlessHost::Screenshot(const std::string& path, std::string* error) const {
  const std::vector<std::uint32_t> screen = ComposeScreen();
  return base::WritePng(path, screen.data(), kScreenWidth, kScreenHeight, kScreenWidth, error);
}

}  // namespace host
