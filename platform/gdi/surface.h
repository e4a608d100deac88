// The seam between the graphics services and the window system.
//
// The window system keeps one 32-bit framebuffer per top-level window and draws every window of
// that tree through device contexts made here: offset to the window and clipped to what of it is
// visible. Nothing in this header is offered to the program.
#pragma once

#include <cstdint>
#include <vector>

#include "windef.h"

namespace gdi {

// Direct access to the pixels of a 32-bit colour bitmap: 0x00RRGGBB per pixel, rows top first,
// `stride` pixels from one row to the next. Valid until the bitmap is deleted.
struct PixelBuffer {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};
bool GetPixelBuffer(HBITMAP bitmap, PixelBuffer* out);

// A new 32-bit colour bitmap of the given size, every pixel black.
HBITMAP CreateFramebuffer(int width, int height);

// A device context that draws into `target` (a colour bitmap) with its device origin at `origin` in
// the target and everything clipped to `clip` (target coordinates; null = the whole target). The
// context starts in the state of a fresh device context. Its clip can be narrowed further by the
// program (SelectClipRgn etc. work inside this system clip). Delete it with DeleteDC. The target
// must outlive it.
HDC CreateSurfaceDC(HBITMAP target, POINT origin, HRGN clip);
// Replaces the system clip of a surface context (target coordinates; null = the whole target).
void SetSurfaceClip(HDC hdc, HRGN clip);

// The rectangles a region is made of, in band order (top to bottom, then left to right).
std::vector<RECT> GetRegionRects(HRGN rgn);

}  // namespace gdi
