#include "menu.h"

#include "temp_map.h"

CMenu* CMenu::FromHandle(HMENU menu) {
  static afx_internal::TempMap<CMenu, HMENU> map;
  return menu != nullptr ? map.Get(menu) : nullptr;
}
