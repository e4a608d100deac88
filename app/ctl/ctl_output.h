// How halcyractl speaks: its name before every complaint, and its exit statuses.
#pragma once

#include <cstdio>
#include <string>

namespace ctl {

constexpr const char* kProgram = "halcyractl";

// Exit statuses by kind of outcome, for scripts to tell apart.
constexpr int kExitDone = 0;
constexpr int kExitNoController = 1;  // none found, none that opens, or one that does not answer
constexpr int kExitUsage = 2;

// Writes "halcyractl: <text>" as one line to `errors`.
void Complain(std::FILE* errors, const std::string& text);

}  // namespace ctl
