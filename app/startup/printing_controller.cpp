#include "printing_controller.h"
#include "report_text.h"

#include <string>

namespace app {

std::shared_ptr<hid::SimulatedBackend> InstallPrintingController(std::FILE* out,
                                                                 const hid::SimulatedSetup& setup) {
  std::shared_ptr<hid::SimulatedBackend> backend = hid::MakeSimulatedBackend(setup);
  backend->SetObserver([out](const hid::Report& report) {
    const std::string line = hid::FormatReport(report) + "\n";
    std::fputs(line.c_str(), out);
    std::fflush(out);
  });
  hid::SetBackend(backend);
  return backend;
}

}  // namespace app
