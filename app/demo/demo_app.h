// The demonstration program's application object: it runs the demonstration window modally and
// ends the program when it closes.
#pragma once

#include "afxwin.h"

namespace demo {

class CDemoApp : public CWinApp {
 public:
  CDemoApp();
  BOOL InitInstance() override;
};

}  // namespace demo
