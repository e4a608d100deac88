#include "ctl_commands.h"

#include <optional>
#include <string>

#include "ctl_controller.h"
#include "ctl_help.h"
#include "ctl_output.h"
#include "device_access.h"
#include "report.h"
#include "report_text.h"
#include "transport.h"

namespace ctl {
namespace {

bool Send(const Controller& controller, const device::Report& report, std::FILE* errors) {
  if (device::WriteReport(controller.handle.get(), report)) return true;
  Complain(errors, "the lighting controller at " + controller.path +
                       " did not take the report; was it unplugged?");
  return false;
}

// Sends a read request and leaves the controller's answer in `report`.
bool Ask(const Controller& controller, device::Report& report, std::FILE* errors) {
  if (!Send(controller, report, errors)) return false;
  if (device::ReadReport(controller.handle.get(), report)) return true;
  const bool gone = GetLastError() == ERROR_DEVICE_NOT_CONNECTED;
  Complain(errors, "the lighting controller at " + controller.path + " did not answer" +
                       (gone ? "; was it unplugged?"
                             : " within " + std::to_string(hid::kReadTimeoutMs) + " ms"));
  return false;
}

void PrintReport(std::FILE* out, const device::Report& report) {
  std::fprintf(out, "%s\n", hid::FormatReport(report).c_str());
}

int List(std::FILE* out, std::FILE* errors) {
  const std::vector<ListedController> listed = ListControllers();
  std::string denied;
  bool ready = false;
  for (const ListedController& controller : listed) {
    std::fprintf(out, "%s %s\n", controller.path.c_str(), AccessWord(controller.access));
    ready = ready || controller.access == Access::kReady;
    if (controller.access == Access::kDenied && denied.empty()) denied = controller.path;
  }
  std::fflush(out);
  if (listed.empty()) {
    Complain(errors, "no lighting controller found; is it plugged in?");
    return kExitNoController;
  }
  if (!ready && !denied.empty()) app::ExplainControllerAccess(denied, kProgram, errors);
  return kExitDone;
}

int Status(const Invocation& invocation, std::FILE* out, std::FILE* errors) {
  // The window asks with the count it holds, 0 at start-up; the controller answers with its own.
  const device::Report color_request = device::EncodeReadDeviceColor(0);
  const device::Report lights_request = device::EncodeReadLightsQty(0);
  if (invocation.dry_run) {
    PrintReport(out, color_request);
    PrintReport(out, lights_request);
    return kExitDone;
  }
  const std::optional<Controller> controller = OpenController(invocation.device_path, errors);
  if (!controller) return kExitNoController;
  device::Report color_reply = color_request;
  device::Report lights_reply = lights_request;
  if (!Ask(*controller, color_reply, errors) || !Ask(*controller, lights_reply, errors)) {
    return kExitNoController;
  }
  const device::Rgb color = device::DecodeDeviceColor(color_reply).color;
  std::fprintf(out, "device %s\ncolor %d %d %d\nlights %d\n", controller->path.c_str(), color.red,
               color.green, color.blue, device::DecodeLightsQty(lights_reply));
  return kExitDone;
}

int Effect(const Invocation& invocation, std::FILE* out, std::FILE* errors) {
  // The settings as the window holds them when a person picks this effect and colour and presses
  // Apply on its default page.
  device::LightingSettings settings;
  settings.effect = invocation.effect;
  settings.color = invocation.color.value_or(0);
  settings.red = invocation.custom.red;
  settings.green = invocation.custom.green;
  settings.blue = invocation.custom.blue;
  if (invocation.dry_run) {
    PrintReport(out, device::EncodeArgbSettings(settings));
    return kExitDone;
  }
  const std::optional<Controller> controller = OpenController(invocation.device_path, errors);
  if (!controller) return kExitNoController;
  if (!invocation.color) {
    // No colour given: keep the controller's, as the window does after reading it back into its
    // sliders at start-up. A controller that does not answer would otherwise turn black.
    device::Report reply = device::EncodeReadDeviceColor(0);
    if (!Ask(*controller, reply, errors)) {
      Complain(errors, "give the colour with --color or --preset");
      return kExitNoController;
    }
    const device::Rgb color = device::DecodeDeviceColor(reply).color;
    settings.red = color.red;
    settings.green = color.green;
    settings.blue = color.blue;
  }
  return Send(*controller, device::EncodeArgbSettings(settings), errors) ? kExitDone
                                                                         : kExitNoController;
}

int Lights(const Invocation& invocation, std::FILE* out, std::FILE* errors) {
  const device::Report report = device::EncodeSetLightsQty(static_cast<BYTE>(invocation.lights));
  if (invocation.dry_run) {
    PrintReport(out, report);
    return kExitDone;
  }
  const std::optional<Controller> controller = OpenController(invocation.device_path, errors);
  if (!controller) return kExitNoController;
  return Send(*controller, report, errors) ? kExitDone : kExitNoController;
}

int Effects(std::FILE* out) {
  for (int effect = 1; effect <= device::kEffectCount; ++effect) {
    std::string name;
    for (const wchar_t* c = device::EffectName(effect); *c != L'\0'; ++c) {
      name.push_back(static_cast<char>(*c));  // the English names are plain ASCII
    }
    std::fprintf(out, "%d %s\n", effect, name.c_str());
  }
  return kExitDone;
}

}  // namespace

int Run(const Invocation& invocation, std::FILE* out, std::FILE* errors) {
  int status = kExitDone;
  switch (invocation.command) {
    case Command::kHelp:
      std::fputs(HelpText().c_str(), out);
      break;
    case Command::kVersion:
      std::fprintf(out, "%s\n", VersionText().c_str());
      break;
    case Command::kList:
      status = List(out, errors);
      break;
    case Command::kStatus:
      status = Status(invocation, out, errors);
      break;
    case Command::kEffect:
      status = Effect(invocation, out, errors);
      break;
    case Command::kEffects:
      status = Effects(out);
      break;
    case Command::kLights:
      status = Lights(invocation, out, errors);
      break;
  }
  std::fflush(out);
  return status;
}

int Main(const std::vector<std::string_view>& words, std::FILE* out, std::FILE* errors) {
  const std::variant<Invocation, UsageError> parsed = ParseCommandLine(words);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    Complain(errors, usage->message);
    std::fprintf(errors, "Try '%s --help' for more.\n", kProgram);
    return kExitUsage;
  }
  return Run(std::get<Invocation>(parsed), out, errors);
}

}  // namespace ctl
