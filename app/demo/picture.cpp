#include "picture.h"

namespace demo {
namespace {

// A bitmap resource with its size.
struct Picture {
  CBitmap bitmap;
  int width = 0;
  int height = 0;

  BOOL Load(UINT id) {
    if (!bitmap.LoadBitmap(id)) return FALSE;
    BITMAP bm{};
    if (bitmap.GetBitmap(&bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) return FALSE;
    width = bm.bmWidth;
    height = bm.bmHeight;
    return TRUE;
  }
};

}  // namespace

BOOL DrawPicture(CDC* dc, UINT id, int x, int y) {
  Picture picture;
  if (!picture.Load(id)) return FALSE;
  CDC mem;
  if (!mem.CreateCompatibleDC(dc)) return FALSE;
  CBitmap* old = mem.SelectObject(&picture.bitmap);
  dc->BitBlt(x, y, picture.width, picture.height, &mem, 0, 0, SRCCOPY);
  mem.SelectObject(old);
  return TRUE;
}

BOOL DrawPictureKeyed(CDC* dc, UINT id, int x, int y, COLORREF key) {
  Picture picture;
  if (!picture.Load(id)) return FALSE;
  CDC image;
  CDC mask;
  if (!image.CreateCompatibleDC(dc) || !mask.CreateCompatibleDC(dc)) return FALSE;
  CBitmap maskBits;
  if (!maskBits.CreateBitmap(picture.width, picture.height, 1, 1, nullptr)) return FALSE;
  CBitmap* oldImage = image.SelectObject(&picture.bitmap);
  CBitmap* oldMask = mask.SelectObject(&maskBits);

  // Key pixels become 1 in the mask, everything else 0.
  image.SetBkColor(key);
  mask.BitBlt(0, 0, picture.width, picture.height, &image, 0, 0, SRCCOPY);

  // Black out the key pixels of the picture (the mask's 1s read as black, its 0s as white).
  image.SetBkColor(RGB(0, 0, 0));
  image.SetTextColor(RGB(255, 255, 255));
  image.BitBlt(0, 0, picture.width, picture.height, &mask, 0, 0, SRCAND);

  // Clear the destination where the picture goes (1s read as white, 0s as black), then add it.
  const COLORREF oldBk = dc->SetBkColor(RGB(255, 255, 255));
  const COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
  dc->BitBlt(x, y, picture.width, picture.height, &mask, 0, 0, SRCAND);
  dc->BitBlt(x, y, picture.width, picture.height, &image, 0, 0, SRCPAINT);
  dc->SetBkColor(oldBk);
  dc->SetTextColor(oldText);

  image.SelectObject(oldImage);
  mask.SelectObject(oldMask);
  return TRUE;
}

}  // namespace demo
