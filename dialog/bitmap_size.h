// The size a skinned button takes: that of its normal picture.
#pragma once

#include "afxwin.h"

// The width and height of bitmap resource `id`; 0 x 0 when it is missing.
SIZE BitmapSize(UINT id);
