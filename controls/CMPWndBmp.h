// The bitmap identifiers of a skinned window: the part that skinned buttons and labels share.
#pragma once

#include "windef.h"

class CMPWndBmp {
 public:
  CMPWndBmp() = default;
  virtual ~CMPWndBmp() = default;

  UINT m_nBmpNormal = 0;  // normal picture, also a button's shape; 0 = none
  UINT m_nBmpHover = 0;   // picture while hovered or pressed
  UINT m_nBmpThird = 0;   // kept with the others, never drawn
};
