// The virtual screen: the visible windows' last presented pixels, composed in z-order through
// their shapes over a plain desktop, which shows the tiles of minimised application windows.
#include <algorithm>
#include <optional>

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

std::optional<Rect> HeadlessHost::TileRect(NativeWindow window) const {
  const Window* target = Find(window);
  if (!target || !HasTile(*target)) return std::nullopt;
  // Creation order is the order of the ids, which is the map's.
  int index = 0;
  for (const auto& [id, w] : windows_) {
    if (id == window) break;
    if (HasTile(w)) ++index;
  }
  const int left = index * kTileSize;
  return Rect{left, kScreenHeight - kTileSize, left + kTileSize, kScreenHeight};
}

NativeWindow HeadlessHost::TileAt(Point p) const {
  if (p.y < kScreenHeight - kTileSize || p.y >= kScreenHeight || p.x < 0) return 0;
  int index = p.x / kTileSize;
  for (const auto& [id, w] : windows_) {
    if (!HasTile(w)) continue;
    if (index-- == 0) return id;
  }
  return 0;
}

// A frame of one pixel around the window's icon, centred on the tile's colour. The icon picture
// chosen is the largest that fits inside the frame.
std::uint32_t HeadlessHost::TilePixel(const Window& w, int x, int y) const {
  if (x == 0 || y == 0 || x == kTileSize - 1 || y == kTileSize - 1) return kTileFrameColor;
  const IconImage* best = nullptr;
  for (const IconImage& image : w.icon) {
    const bool fits = image.width <= kTileSize - 2 && image.height <= kTileSize - 2 &&
                      image.width > 0 && image.height > 0 &&
                      image.pixels.size() >= static_cast<size_t>(image.width) * image.height;
    if (fits && (!best || image.width > best->width)) best = &image;
  }
  if (!best) return kTileColor;
  const int ix = x - (kTileSize - best->width) / 2;
  const int iy = y - (kTileSize - best->height) / 2;
  if (ix < 0 || iy < 0 || ix >= best->width || iy >= best->height) return kTileColor;
  const std::uint32_t px = best->pixels[static_cast<size_t>(iy) * best->width + ix];
  const std::uint32_t alpha = px >> 24;
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t fg = (px >> shift) & 0xFF, bg = (kTileColor >> shift) & 0xFF;
    out |= ((fg * alpha + bg * (255 - alpha) + 127) / 255) << shift;
  }
  return out;
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
  if (NativeWindow tile = TileAt(p)) {
    const Rect t = *TileRect(tile);
    return TilePixel(windows_.at(tile), x - t.left, y - t.top);
  }
  return kDesktopColor;
}

std::vector<std::uint32_t> HeadlessHost::ComposeScreen() const {
  std::vector<std::uint32_t> screen(static_cast<size_t>(kScreenWidth) * kScreenHeight,
                                    kDesktopColor);
  for (const auto& [id, w] : windows_) {
    const std::optional<Rect> t = TileRect(id);
    if (!t) continue;
    for (int y = t->top; y < t->bottom; ++y) {
      for (int x = std::max(t->left, 0); x < std::min(t->right, kScreenWidth); ++x) {
        screen[static_cast<size_t>(y) * kScreenWidth + x] = TilePixel(w, x - t->left, y - t->top);
      }
    }
  }
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
