// CMenu: the window's system menu, to which a program appends its own items.
#pragma once

#include "object.h"
#include "winuser.h"

class CMenu : public CObject {
 public:
  HMENU m_hMenu = nullptr;

  CMenu() = default;
  // The system menu belongs to its window: a CMenu never destroys the menu it wraps.
  ~CMenu() override = default;

  static CMenu* FromHandle(HMENU menu);
  HMENU GetSafeHmenu() const { return m_hMenu; }
  void AttachTemporary(HMENU menu) { m_hMenu = menu; }
  void DetachTemporary() { m_hMenu = nullptr; }
  HMENU Detach() {
    HMENU h = m_hMenu;
    m_hMenu = nullptr;
    return h;
  }

  BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCWSTR text = nullptr) {
    return ::AppendMenuW(m_hMenu, flags, id, text);
  }
};
