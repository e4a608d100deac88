#include "controls/CMPToolTip.h"

IMPLEMENT_DYNAMIC(CMPToolTip, CToolTipCtrl)

BEGIN_MESSAGE_MAP(CMPToolTip, CToolTipCtrl)
ON_WM_ENABLE()
END_MESSAGE_MAP()
