// The class framework in one include: application, windows, dialogs, controls, device contexts,
// graphics objects, message maps, run-time classes and zero-filled construction.
#pragma once

#include "platform/framework/activex.h"
#include "platform/framework/app.h"
#include "platform/framework/cstring.h"
#include "platform/framework/ctrl.h"
#include "platform/framework/dc.h"
#include "platform/framework/dialog.h"
#include "platform/framework/gdi_object.h"
#include "platform/framework/geometry.h"
#include "platform/framework/menu.h"
#include "platform/framework/msgmap.h"
#include "platform/framework/object.h"
#include "platform/framework/wnd.h"
#include "platform/framework/zero_filled.h"
#include "platform/user/winuser.h"
