// A report as text, the one way every program prints what goes to the controller.
#pragma once

#include <string>

#include "hid_backend.h"

namespace hid {

// "HH HH ... HH": the 65 bytes as two-digit upper-case hex, separated by single spaces.
std::string FormatReport(const Report& report);

}  // namespace hid
