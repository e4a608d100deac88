// halcyractl: the lighting controller from the command line, through hidapi.
#include <cstdio>
#include <string_view>
#include <vector>

#include "ctl_commands.h"
#include "hidapi_device.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> words(argv + (argc > 0 ? 1 : 0), argv + argc);
  app::InstallHidapiDevices();
  return ctl::Main(words, stdout, stderr);
}
