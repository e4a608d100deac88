// The application's fonts as the dialogs take them: a table of ten font handles, indexed by the
// font column of the layout tables. The application object derives from CAppFonts and fills the
// table at start; the controls borrow the handles and never delete them.
#pragma once

#include "afxwin.h"

class CAppFonts {
 public:
  static constexpr int kFontCount = 10;
  static constexpr int kNormalFont = 0;  // Arial 14
  static constexpr int kBoldFont = 1;    // Arial 18 bold
  static constexpr int kNoFont = 5;      // an entry that stays null: the system's default font

  CAppFonts() = default;
  virtual ~CAppFonts() = default;
  CAppFonts(const CAppFonts&) = delete;
  CAppFonts& operator=(const CAppFonts&) = delete;

  HFONT m_hFonts[kFontCount] = {};
};

// Entry `index` of the running application's table; null when the application has no table or
// the index lies outside it.
HFONT AppFont(int index);
