#include "ctl_help.h"

#include "ctl_output.h"
#include "effects.h"
#include "report.h"

namespace ctl {

std::string HelpText() {
  std::string presets;
  for (int color = 1; color <= device::kPresetColorCount; ++color) {
    presets += std::string(color == 1 ? "" : ", ") + device::PresetName(color);
  }
  const std::string lights =
      std::to_string(device::kMinLightsQty) + " to " + std::to_string(device::kMaxLightsQty);
  return std::string("Usage: ") + kProgram +
         " [--device PATH] [--dry-run] COMMAND [ARGUMENTS]\n"
         "\n"
         "Sets the motherboard's RGB lighting through its USB lighting controller.\n"
         "\n"
         "Commands:\n"
         "  list             the controllers found: device path, and whether this user may\n"
         "                   open it\n"
         "  status           the controller's colour and LED count, one \"key value\" a line\n"
         "  effect EFFECT [--color R G B | --preset NAME]\n"
         "                   shows EFFECT (1 to 24, or its name) in the given colour,\n"
         "                   or in the controller's current colour when none is given\n"
         "  effects          the effects by number and name\n"
         "  lights N         sets the number of LEDs on the addressable strip (" +
         lights +
         ")\n"
         "\n"
         "Options:\n"
         "  --device PATH    the controller to use when there are several (see list)\n"
         "  --dry-run        prints the reports in hex instead of sending them; needs no\n"
         "                   controller\n"
         "  --color R G B    a colour of your own: red, green and blue, each 0 to 255\n"
         "  --preset NAME    a swatch colour, one of\n"
         "                   " +
         presets +
         "\n"
         "  --help           this text\n"
         "  --version        the version\n"
         "\n"
         "Exit status: 0 done; 1 no controller found, none that opens, or one that\n"
         "does not answer; 2 bad usage.\n";
}

std::string VersionText() {
  return std::string(kProgram) + " " + HALCYRA_VERSION;
}

}  // namespace ctl
