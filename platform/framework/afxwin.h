// The class framework in one include: application, windows, dialogs, controls, device contexts,
// graphics objects, message maps, run-time classes and zero-filled construction.
#pragma once

#include "activex.h"
#include "app.h"
#include "cstring.h"
#include "ctrl.h"
#include "dc.h"
#include "dialog.h"
#include "gdi_object.h"
#include "geometry.h"
#include "menu.h"
#include "msgmap.h"
#include "object.h"
#include "winuser.h"
#include "wnd.h"
