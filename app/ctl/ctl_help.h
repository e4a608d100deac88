// What halcyractl says about itself.
#pragma once

#include <string>

namespace ctl {

// The usage summary --help prints.
std::string HelpText();

// "halcyractl <version>", the project's version.
std::string VersionText();

}  // namespace ctl
