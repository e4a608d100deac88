// The skin of a dialog's own window: its outline cut from a picture, and the picture kept and
// painted as its background.
#pragma once

#include "afxwin.h"
#include "gdi_owners.h"

// Shapes `wnd` to bitmap resource `id` (white is outside) and returns another copy of the picture
// for the dialog to keep and paint from, published as the window property "MPBmpProp" from which
// the sliders copy the part of the background under themselves.
gdi::UniqueBitmap ApplyWindowSkin(HWND wnd, UINT id);

// Draws the kept picture `back` at the top left of `dc`, whole; nothing when there is none.
void PaintWindowSkin(CDC& dc, HBITMAP back);
