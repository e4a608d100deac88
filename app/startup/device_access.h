// The one start-up failure the program's own message cannot explain: the controller is plugged in,
// but its device node belongs to root. The program still says "Hardware detection failed." and
// runs on; this tells the person on standard error which node it is and how to fix it.
#pragma once

#include <cstdio>
#include <string>

#include "hid_backend.h"

namespace app {

// The udev rule that gives the signed-in user the controller's hidraw node and nothing else, as
// the package installs it (70-halcyra.rules).
std::string ControllerUdevRule();

// Writes to `errors` that the controller's node `node` is closed to this user and how to open it,
// each line led by "<program>: ".
void ExplainControllerAccess(const std::string& node, const std::string& program,
                             std::FILE* errors);

// Looks for the controller among the present HID interfaces. When it is there but none of its
// interfaces opens, at least one of them for lack of permission, writes to `errors` which node that
// is and how to get access, each line led by "<program>: ", and returns true. Writes nothing and
// returns false when an interface of the controller opens, when there is none, or when opening
// failed for another reason. What it opens it closes again.
bool ReportControllerAccess(hid::Backend& backend, const std::string& program, std::FILE* errors);

}  // namespace app
