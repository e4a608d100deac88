// How halcyractl speaks: its name before every complaint, reports as one line of hex.
#pragma once

#include <cstdio>
#include <string>

#include "report.h"

namespace ctl {

constexpr const char* kProgram = "halcyractl";

// Exit statuses by kind of outcome, for scripts to tell apart.
constexpr int kExitDone = 0;
constexpr int kExitNoController = 1;  // none found, none that opens, or one that does not answer
constexpr int kExitUsage = 2;

// Writes "halcyractl: <text>" as one line to `errors`.
void Complain(std::FILE* errors, const std::string& text);

// "00 80 0B ...": the 65 bytes as two-digit upper-case hex, as the demo program prints what its
// simulated controller receives.
std::string Hex(const device::Report& report);

}  // namespace ctl
