#include "CMemDCC.h"

CMemDCC::CMemDCC(CDC* pDC, const CRect* rect, BOOL copyBackground)
    : m_pDC(pDC), m_bMemDC(pDC != nullptr && !pDC->IsPrinting()) {
  if (pDC == nullptr) return;
  if (rect == nullptr) {
    pDC->GetClipBox(&m_rect);
  } else {
    m_rect = *rect;
  }

  if (m_bMemDC) {
    CreateCompatibleDC(pDC);
    pDC->LPtoDP(&m_rect);
    // Compatible with the target, not with the memory context (which would make it monochrome).
    m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height());
    m_pOldBitmap = SelectObject(&m_bitmap);
    SetMapMode(pDC->GetMapMode());
    SetWindowExt(pDC->GetWindowExt());
    SetViewportExt(pDC->GetViewportExt());
    pDC->DPtoLP(&m_rect);
    SetWindowOrg(m_rect.left, m_rect.top);
  } else {
    // Printing: draw straight into the target's contexts.
    m_bPrinting = pDC->m_bPrinting;
    m_hDC = pDC->m_hDC;
    m_hAttribDC = pDC->m_hAttribDC;
  }

  if (copyBackground) {
    BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_pDC, m_rect.left, m_rect.top,
           SRCCOPY);
  } else {
    FillSolidRect(m_rect, pDC->GetBkColor());
  }
}

CMemDCC::~CMemDCC() {
  if (m_pDC == nullptr) return;
  if (m_bMemDC) {
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                  m_rect.top, SRCCOPY);
    SelectObject(m_pOldBitmap);
  } else {
    // The contexts are the target's: they must not be deleted with this object.
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
  }
  // m_bitmap is freed by its destructor, the memory context by CDC's.
}
