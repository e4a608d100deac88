// Finding and opening the lighting controller over the installed HID services: the one the window
// finds, or the one a person names by its device path.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "kernel_handle.h"

namespace ctl {

struct Controller {
  base::UniqueKernelHandle handle;
  std::string path;
};

// Opens the controller at `path`, or, when `path` is empty, the one discovery finds as the window
// does (the first matching interface among the first 128). Nothing when there is none to use;
// `errors` then says why and what a person can do about it.
std::optional<Controller> OpenController(const std::string& path, std::FILE* errors);

// Whether this user can open a controller's interface.
enum class Access {
  kReady,   // it opens
  kDenied,  // its node's permissions keep this user out
  kBusy,    // it would not open for another reason
  kGone,    // it went away between being listed and being opened
};

struct ListedController {
  std::string path;
  Access access = Access::kReady;
};

// Every present interface with the controller's identifiers, in the system's order, each opened
// once to see whether it can be and closed again.
std::vector<ListedController> ListControllers();

// The word `list` prints for an access.
const char* AccessWord(Access access);

}  // namespace ctl
