// An off-screen drawing surface for one paint.
//
// Constructed over a rectangle of a target context, it is itself a device context of that size,
// using the target's coordinates; everything drawn into it lands on the target in one copy when it
// is destroyed. It starts with the target's current pixels (copyBackground) or filled with the
// target's background colour. On a printing target it draws straight into the target.
#pragma once

#include "afxwin.h"

class CMemDCC : public CDC {
 public:
  // rect null: the target's clip box.
  explicit CMemDCC(CDC* pDC, const CRect* rect = nullptr, BOOL copyBackground = FALSE);
  ~CMemDCC() override;
  CMemDCC(const CMemDCC&) = delete;
  CMemDCC& operator=(const CMemDCC&) = delete;

  CMemDCC* operator->() { return this; }
  operator CMemDCC*() { return this; }  // NOLINT(google-explicit-constructor)

 private:
  CBitmap m_bitmap;                 // the off-screen picture
  CBitmap* m_pOldBitmap = nullptr;  // what the memory context held before it
  CDC* m_pDC = nullptr;             // the target (borrowed)
  CRect m_rect;                     // the area covered, logical units
  BOOL m_bMemDC = FALSE;            // a separate memory context is in use
};
