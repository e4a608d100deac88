// The common-controls initialisation.
#include "internal.h"

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
  if (!icc || icc->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  WNDCLASSW probe;
  GetClassInfoW(nullptr, TRACKBAR_CLASSW, &probe);  // the classes exist from the first use on
  return TRUE;
}
