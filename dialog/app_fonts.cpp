#include "app_fonts.h"

HFONT AppFont(int index) {
  const auto* fonts = dynamic_cast<const CAppFonts*>(AfxGetApp());
  if (fonts == nullptr || index < 0 || index >= CAppFonts::kFontCount) return nullptr;
  return fonts->m_hFonts[index];
}
