// BitBlt and StretchBlt: copying between device contexts with the three raster operations, the
// colour/monochrome conversions and the stretch modes.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "dc_access.h"
#include "wingdi.h"

using namespace gdi::detail;

namespace {

enum class Rop { kCopy, kAnd, kPaint };

bool RopOf(DWORD rop, Rop* out) {
  switch (rop) {
    case SRCCOPY:
      *out = Rop::kCopy;
      return true;
    case SRCAND:
      *out = Rop::kAnd;
      return true;
    case SRCPAINT:
      *out = Rop::kPaint;
      return true;
    default:
      return false;
  }
}

inline std::uint32_t Combine(Rop rop, std::uint32_t d, std::uint32_t s) {
  switch (rop) {
    case Rop::kCopy:
      return s;
    case Rop::kAnd:
      return d & s;
    case Rop::kPaint:
      return d | s;
  }
  return s;
}

// Turns a source pixel into a destination pixel. Monochrome to colour: 1 takes the destination's
// background colour, 0 its text colour. Colour to monochrome: the source's background colour
// becomes 1, everything else 0.
struct Converter {
  enum Kind { kSame, kMonoToColour, kColourToMono } kind = kSame;
  std::uint32_t one = 0, zero = 0;  // mono to colour
  std::uint32_t key = 0;            // colour to mono

  std::uint32_t operator()(std::uint32_t s) const {
    switch (kind) {
      case kSame:
        return s;
      case kMonoToColour:
        return s ? one : zero;
      case kColourToMono:
        return s == key ? 0xFFFFFFu : 0u;
    }
    return s;
  }
};

Converter MakeConverter(const Drawable& src, const Drawable& dst) {
  Converter c;
  if (src.bitmap->mono && !dst.bitmap->mono) {
    c.kind = Converter::kMonoToColour;
    c.one = ToPixel(dst.dc->bk_color);
    c.zero = ToPixel(dst.dc->text_color);
  } else if (!src.bitmap->mono && dst.bitmap->mono) {
    c.kind = Converter::kColourToMono;
    c.key = ToPixel(src.dc->bk_color);
  }
  return c;
}

// A clamped half-open interval [from, to) of one axis.
struct Span {
  std::int64_t from = 0;
  std::int64_t to = 0;
};
Span Intersect(Span a, Span b) {
  return Span{std::max(a.from, b.from), std::min(a.to, b.to)};
}

constexpr std::int64_t kMaxExtent = std::int64_t{1} << 20;

}  // namespace

BOOL BitBlt(HDC hdst, int x, int y, int cx, int cy, HDC hsrc, int x1, int y1, DWORD rop) {
  Rop op;
  if (!RopOf(rop, &op)) return FALSE;
  const Drawable d = GetDrawable(hdst);
  const Drawable s = GetDrawable(hsrc);
  if (!d || !s) return FALSE;
  if (cx == 0 || cy == 0) return TRUE;

  const POINT dp = ToTarget(*d.dc, x, y);
  const POINT sp = ToTarget(*s.dc, x1, y1);
  // A negative extent names the pixels before the point, in the source and destination alike.
  std::int64_t spx = sp.x, spy = sp.y, w = cx, h = cy;
  if (w < 0) spx += w, w = -w;
  if (h < 0) spy += h, h = -h;
  // Only the part whose source lies inside the source bitmap is copied.
  const Span sx = Intersect(Span{spx, spx + w}, Span{0, s.bitmap->width});
  const Span sy = Intersect(Span{spy, spy + h}, Span{0, s.bitmap->height});
  if (sx.from >= sx.to || sy.from >= sy.to) return TRUE;
  const std::int64_t ox = std::int64_t{dp.x} - sp.x, oy = std::int64_t{dp.y} - sp.y;
  const Span dx = Intersect(Span{sx.from + ox, sx.to + ox}, Span{0, d.bitmap->width});
  const Span dy = Intersect(Span{sy.from + oy, sy.to + oy}, Span{0, d.bitmap->height});
  if (dx.from >= dx.to || dy.from >= dy.to) return TRUE;
  const RECT area{static_cast<LONG>(dx.from), static_cast<LONG>(dy.from), static_cast<LONG>(dx.to),
                  static_cast<LONG>(dy.to)};

  const Converter convert = MakeConverter(s, d);
  // Copying within one bitmap reads from a snapshot, so overlapping areas come out right.
  std::vector<std::uint32_t> snapshot;
  const std::uint32_t* src_pixels = s.bitmap->pixels.data();
  if (s.bitmap == d.bitmap) {
    snapshot = s.bitmap->pixels;
    src_pixels = snapshot.data();
  }
  const int sw = s.bitmap->width, dw = d.bitmap->width;
  std::uint32_t* dst_pixels = d.bitmap->pixels.data();

  for (const RECT& r : EffectiveClip(*d.dc, *d.bitmap).RectsWithin(area)) {
    const int n = r.right - r.left;
    for (int row = r.top; row < r.bottom; ++row) {
      std::uint32_t* out = dst_pixels + static_cast<std::size_t>(row) * dw + r.left;
      const std::uint32_t* in =
          src_pixels + static_cast<std::size_t>(row - oy) * sw + (r.left - ox);
      if (op == Rop::kCopy && convert.kind == Converter::kSame) {
        std::memcpy(out, in, static_cast<std::size_t>(n) * 4);
        continue;
      }
      for (int i = 0; i < n; ++i) out[i] = Combine(op, out[i], convert(in[i]));
    }
  }
  return TRUE;
}

namespace {

struct Tap {
  int index = 0;  // source pixel, relative to the source rectangle
  float weight = 0;
};

// Source taps of each destination pixel along one axis, for destination pixels [first, last) of a
// destination extent `dn` mapped onto a source extent `sn`.
std::vector<std::vector<Tap>> AxisTaps(int first, int last, std::int64_t dn, std::int64_t sn,
                                       int mode) {
  std::vector<std::vector<Tap>> taps(last - first);
  const double scale = static_cast<double>(sn) / static_cast<double>(dn);
  for (int i = first; i < last; ++i) {
    auto& t = taps[i - first];
    if (mode == HALFTONE && sn > dn) {
      // Area average over the source interval this pixel covers.
      const double a = i * scale, b = (i + 1) * scale;
      for (auto j = static_cast<std::int64_t>(a); j < b && j < sn; ++j) {
        const double w = std::min<double>(b, j + 1) - std::max<double>(a, j);
        if (w > 0) t.push_back(Tap{static_cast<int>(j), static_cast<float>(w / (b - a))});
      }
    } else if (mode == HALFTONE) {
      // Linear interpolation between the two nearest source pixel centres.
      const double c = std::clamp((i + 0.5) * scale - 0.5, 0.0, static_cast<double>(sn - 1));
      const auto j = static_cast<int>(c);
      const auto f = static_cast<float>(c - j);
      t.push_back(Tap{j, 1.0f - f});
      if (f > 0 && j + 1 < sn) t.push_back(Tap{j + 1, f});
    } else if (sn > dn && mode != COLORONCOLOR) {
      // Every source pixel that falls on this one takes part (AND or OR).
      const std::int64_t a = i * sn / dn, b = std::max(a + 1, (i + 1) * sn / dn);
      for (std::int64_t j = a; j < b && j < sn; ++j) t.push_back(Tap{static_cast<int>(j), 1.0f});
    } else {
      t.push_back(Tap{static_cast<int>(std::min<std::int64_t>(i * sn / dn, sn - 1)), 1.0f});
    }
  }
  return taps;
}

}  // namespace

BOOL StretchBlt(HDC hdst, int x, int y, int cx, int cy, HDC hsrc, int x1, int y1, int cx1, int cy1,
                DWORD rop) {
  if (cx == cx1 && cy == cy1) return BitBlt(hdst, x, y, cx, cy, hsrc, x1, y1, rop);
  Rop op;
  if (!RopOf(rop, &op)) return FALSE;
  const Drawable d = GetDrawable(hdst);
  const Drawable s = GetDrawable(hsrc);
  if (!d || !s) return FALSE;
  if (cx == 0 || cy == 0 || cx1 == 0 || cy1 == 0) return TRUE;
  // A negative extent names the pixels before the point; a sign that differs between source and
  // destination mirrors the picture along that axis.
  const POINT dp0 = ToTarget(*d.dc, x, y);
  const POINT sp0 = ToTarget(*s.dc, x1, y1);
  std::int64_t dpx = dp0.x, dpy = dp0.y, spx = sp0.x, spy = sp0.y;
  std::int64_t dw = cx, dh = cy, sw = cx1, sh = cy1;
  bool flip_x = false, flip_y = false;
  if (dw < 0) dpx += dw, dw = -dw, flip_x = !flip_x;
  if (dh < 0) dpy += dh, dh = -dh, flip_y = !flip_y;
  if (sw < 0) spx += sw, sw = -sw, flip_x = !flip_x;
  if (sh < 0) spy += sh, sh = -sh, flip_y = !flip_y;
  if (dw > kMaxExtent || dh > kMaxExtent || sw > kMaxExtent || sh > kMaxExtent) return FALSE;

  const Span sxs = Intersect(Span{spx, spx + sw}, Span{0, s.bitmap->width});
  const Span sys = Intersect(Span{spy, spy + sh}, Span{0, s.bitmap->height});
  if (sxs.from >= sxs.to || sys.from >= sys.to) return TRUE;

  const Region clip = EffectiveClip(*d.dc, *d.bitmap);
  const RECT box = clip.Box();
  const Span dx = Intersect(Span{dpx, dpx + dw}, Span{box.left, box.right});
  const Span dy = Intersect(Span{dpy, dpy + dh}, Span{box.top, box.bottom});
  if (dx.from >= dx.to || dy.from >= dy.to) return TRUE;

  int mode = d.dc->stretch_mode;
  if (mode == HALFTONE && d.bitmap->mono) mode = COLORONCOLOR;
  const auto xt =
      AxisTaps(static_cast<int>(dx.from - dpx), static_cast<int>(dx.to - dpx), dw, sw, mode);
  const auto yt =
      AxisTaps(static_cast<int>(dy.from - dpy), static_cast<int>(dy.to - dpy), dh, sh, mode);

  const Converter convert = MakeConverter(s, d);
  const Bitmap& sb = *s.bitmap;
  auto sample = [&](int i, int j) {  // source pixel (i, j) of the source rectangle, in range
    const std::int64_t sx =
        std::clamp<std::int64_t>(spx + (flip_x ? sw - 1 - i : i), sxs.from, sxs.to - 1);
    const std::int64_t sy =
        std::clamp<std::int64_t>(spy + (flip_y ? sh - 1 - j : j), sys.from, sys.to - 1);
    return convert(sb.pixels[static_cast<std::size_t>(sy) * sb.width + sx]);
  };

  // The stretched source over the clip box, then combined into the destination through the clip.
  const int bw = static_cast<int>(dx.to - dx.from), bh = static_cast<int>(dy.to - dy.from);
  std::vector<std::uint32_t> scaled(static_cast<std::size_t>(bw) * bh);
  for (int j = 0; j < bh; ++j) {
    for (int i = 0; i < bw; ++i) {
      std::uint32_t v;
      if (mode == HALFTONE) {
        float r = 0, g = 0, b = 0;
        for (const Tap& ty : yt[j]) {
          for (const Tap& tx : xt[i]) {
            const std::uint32_t p = sample(tx.index, ty.index);
            const float w = tx.weight * ty.weight;
            r += w * ((p >> 16) & 0xFF);
            g += w * ((p >> 8) & 0xFF);
            b += w * (p & 0xFF);
          }
        }
        auto channel = [](float c) {
          return static_cast<std::uint32_t>(std::clamp(c + 0.5f, 0.f, 255.f));
        };
        v = (channel(r) << 16) | (channel(g) << 8) | channel(b);
      } else {
        const bool and_mode = mode == BLACKONWHITE;
        v = and_mode ? 0xFFFFFFu : 0u;
        for (const Tap& ty : yt[j]) {
          for (const Tap& tx : xt[i]) {
            const std::uint32_t p = sample(tx.index, ty.index);
            v = and_mode ? (v & p) : (v | p);
          }
        }
      }
      scaled[static_cast<std::size_t>(j) * bw + i] = v;
    }
  }

  const RECT area{static_cast<LONG>(dx.from), static_cast<LONG>(dy.from), static_cast<LONG>(dx.to),
                  static_cast<LONG>(dy.to)};
  Bitmap& db = *d.bitmap;
  for (const RECT& r : clip.RectsWithin(area)) {
    for (int row = r.top; row < r.bottom; ++row) {
      for (int col = r.left; col < r.right; ++col) {
        std::uint32_t& out = db.pixels[static_cast<std::size_t>(row) * db.width + col];
        out = Combine(op, out,
                      scaled[static_cast<std::size_t>(row - dy.from) * bw + (col - dx.from)]);
      }
    }
  }
  return TRUE;
}
