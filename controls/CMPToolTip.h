// The toolkit's tooltip control: the framework's tooltip with its own run-time class name.
#pragma once

#include "afxwin.h"

class CMPToolTip : public CToolTipCtrl {
  DECLARE_DYNAMIC(CMPToolTip)

 public:
  CMPToolTip() = default;
  ~CMPToolTip() override = default;

  DECLARE_MESSAGE_MAP()
};
