// The name a program puts in front of the messages it writes on standard error.
#pragma once

#include <string>

namespace app {

// The file name part of argv[0] ("halcyra-demo" for "/usr/bin/halcyra-demo"); "halcyra" when
// argv[0] is missing or empty.
std::string ProgramName(const char* argv0);

}  // namespace app
