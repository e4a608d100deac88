// Where the headless program takes its script from: standard input, or the file named as its only
// argument.
#pragma once

#include <cstdio>
#include <string>

namespace script {

// Reads the whole script. `args` are the arguments after the program's name. False, with `error`
// saying why, for more than one argument or a file that cannot be
// read.
bool ReadScript(int argc, const char* const* args, std::FILE* standard_input, std::string& text,
                std::string& error);

}  // namespace script
