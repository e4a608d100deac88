#include "hid_state.h"

#include <utility>

#include "hid_owners.h"
#include "kernel_handle.h"

namespace hid::detail {

HidState::~HidState() {
  Clear();
}

// One sequence of values for every handle of the process, so that CloseHandle never mistakes a
// device for another part's object.
std::uintptr_t HidState::NewDeviceHandleValue() {
  return base::NewKernelHandleValue();
}

std::uintptr_t HidState::NewOtherHandleValue() {
  return base::NewOtherHandleValue();
}

void HidState::Clear() {
  // Devices first: a device may still need its backend while it closes.
  for (std::size_t i = 0; i < devices.size(); ++i) base::DropKernelHandle();
  devices.clear();
  preparsed.clear();
  sets.clear();
}

std::wstring WidePath(const std::string& path) {
  std::wstring wide;
  wide.reserve(path.size());
  for (char c : path) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return wide;
}

bool NarrowPath(const wchar_t* text, std::string& path) {
  path.clear();
  for (; *text != L'\0'; ++text) {
    const auto code = static_cast<std::uint32_t>(*text);
    if (code > 0xFF) return false;
    path.push_back(static_cast<char>(code));
  }
  return true;
}

HidState& State() {
  static HidState state;
  return state;
}

}  // namespace hid::detail

namespace hid {

void SetBackend(std::shared_ptr<Backend> backend) {
  auto& state = detail::State();
  state.Clear();
  state.backend = std::move(backend);
}

std::shared_ptr<Backend> InstalledBackend() {
  return detail::State().backend;
}

std::size_t OpenDeviceInfoListCount() {
  return detail::State().sets.size();
}

std::size_t OpenPreparsedDataCount() {
  return detail::State().preparsed.size();
}

}  // namespace hid
