// Shapes a window from a bitmap: the pixels of a key colour become outside.
//
// Each row is scanned from both ends for the first pixel that is not the key colour; the left
// edges (down) and the right edges (back up) make one polygon, optional hole polygons are cut out
// of it, the window takes the bitmap's size and gets the result as its window region.
//
// Use: a zero-filled local; set the target window, the bitmap (the object frees it), the key and
// the insets; call ShapeWindow once; let it go out of scope.
#pragma once

#include "afxwin.h"
#include "gdi_owners.h"

class CBmpRgn {
 public:
  CBmpRgn() = default;
  virtual ~CBmpRgn() = default;
  CBmpRgn(const CBmpRgn&) = delete;
  CBmpRgn& operator=(const CBmpRgn&) = delete;

  // Resizes the window to the bitmap, builds the region and hands it to the window. `holes`
  // lists groups of points, each group ended by (0, 0) (see CutHoles); it is rewritten in place.
  // Does nothing when the window or the bitmap is missing or the bitmap has no width.
  void ShapeWindow(POINT* holes, int count);
  // Subtracts each group of `holes` from m_hRgn. In a group of n points, the first n / 2 give the
  // left edges of n / 2 consecutive rows starting at the group's first y, the last n / 2 (read
  // backwards) the right edges of the same rows; every x is moved by the frame offset. Points after
  // the last (0, 0) are ignored.
  void CutHoles(POINT* holes, int count);

  HWND m_hTargetWnd = nullptr;  // the window to shape (borrowed)
  gdi::UniqueBitmap m_hBitmap;  // the shape bitmap
  gdi::UniqueRegion m_hRgn;     // the region being built, until the window takes it
  COLORREF m_clrKey = 0;        // the colour that counts as outside
  int m_nInsetLeft = 0;         // added to every left edge
  int m_nInsetRight = 0;        // subtracted from every right edge
  int m_nFrameX = 0;            // frame offsets of a captioned window; they add up over calls
  int m_nFrameY = 0;
};
