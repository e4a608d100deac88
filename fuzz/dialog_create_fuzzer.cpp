// Every dialog template the parser accepts made into a dialog on the headless host, shown, and torn
// down again, twice: nothing may be left behind. (Slower than the parser alone, hence a target of
// its own.)
#include <cstdint>
#include <span>
#include <string_view>

#include "dialog_template.h"
#include "fuzz_input.h"
#include "gdi_owners.h"
#include "headless_host.h"
#include "resource.h"
#include "user.h"
#include "winuser.h"

namespace {

constexpr UINT kTemplateId = 100;
// Templates with more controls than this are skipped: hundreds of windows per input would slow
// the search without reaching anything new.
constexpr std::size_t kMaxCreatedControls = 16;
// Likewise sizes: a big dialog only costs more pixels to clear and paint, the same code paths at a
// fraction of the speed. Sizes out of range are the parser's business, fuzzed on its own.
constexpr int kMaxCreatedSize = 256;  // dialog units: the about box is 181 x 63

bool SmallEnough(const user::DialogTemplate& t) {
  if (t.controls.size() > kMaxCreatedControls) return false;
  if (t.cx > kMaxCreatedSize || t.cy > kMaxCreatedSize) return false;
  for (const user::ControlTemplate& c : t.controls) {
    if (c.cx > kMaxCreatedSize || c.cy > kMaxCreatedSize) return false;
  }
  return true;
}

INT_PTR DialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

HWND Create(std::span<const std::uint8_t> text) {
  const gdi::ResourceEntry entry{RT_DIALOG_ID, kTemplateId, text.data(), text.size()};
  gdi::SetResourceTable(std::span(&entry, 1));
  HWND dlg = ::CreateDialogParamW(nullptr, MAKEINTRESOURCEW(kTemplateId), nullptr, &DialogProc, 0);
  gdi::SetResourceTable({});
  return dlg;
}

// Shows the dialog, lets it handle what it posted to itself, and destroys it. False when the
// template made no dialog.
bool Exercise(std::span<const std::uint8_t> text) {
  HWND dlg = Create(text);
  if (dlg != nullptr) {
    ::ShowWindow(dlg, SW_SHOW);
    MSG msg{};
    for (int i = 0; i < 64 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
      ::DispatchMessageW(&msg);
    }
    ::DestroyWindow(dlg);
    fuzz::Check(!::IsWindow(dlg), "the dialog is gone");
  }
  // Anything still queued belongs to the dialog just destroyed.
  MSG msg{};
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  return dlg != nullptr;
}

void InstallOnce() {
  static host::HeadlessHost host;
  static const bool installed = [] {
    user::SetHost(&host);
    return true;
  }();
  (void)installed;
}

// The window system keeps a few drawing objects for good once a dialog first needs them (fonts,
// for instance), so a leak shows as growth from the second dialog of the same template on.
void CreateAndDestroy(std::span<const std::uint8_t> text) {
  InstallOnce();
  if (!Exercise(text)) return;
  const std::size_t objects = gdi::ObjectCount();
  Exercise(text);
  fuzz::Check(gdi::ObjectCount() == objects, "the dialog leaves no drawing object behind");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto parsed = user::ParseDialogTemplate(text);
  if (!parsed) return 0;
  if (SmallEnough(*parsed)) CreateAndDestroy(std::span(data, size));
  return 0;
}
