// Copying bitmap resources of the program onto a device context.
#pragma once

#include "afxwin.h"

namespace demo {

// Copies bitmap resource `id` to (x, y) at its full size. FALSE when the resource is missing.
BOOL DrawPicture(CDC* dc, UINT id, int x, int y);

// Like DrawPicture, but the pixels of colour `key` are left out: the destination shows through
// them. Uses the classic mask blit: colour to monochrome by the source's background colour, then
// SRCAND of the mask and SRCPAINT of the picture with its key pixels blacked out.
BOOL DrawPictureKeyed(CDC* dc, UINT id, int x, int y, COLORREF key);

}  // namespace demo
