// Dialog templates as the resources carry them: text, one statement a line.
//
//   STYLE s / EXSTYLE s / SIZE cx cy (dialog units) / CAPTION "text" / FONT points weight "face"
//   CONTROL id "class" style x y cx cy "text"   (a text "#n" names resource n, as for an icon)
//
// Numbers may be hexadecimal; texts are UTF-8 in quotes; `#` outside quotes starts a comment.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wingdi.h"

namespace user {

struct ControlTemplate {
  int id = 0;
  std::wstring cls;
  DWORD style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::wstring text;
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exstyle = 0;
  int cx = 0, cy = 0;
  std::wstring caption;
  bool has_font = false;
  int points = 8;
  int weight = FW_NORMAL;
  std::wstring face;
  std::vector<ControlTemplate> controls;
};

// Nothing for a broken template (an unknown or malformed statement, a size or position out of
// range, no SIZE): a broken template fails the dialog, it never half-builds it.
std::optional<DialogTemplate> ParseDialogTemplate(std::string_view text);

// A whole number as a template writes it (decimal, 0x hexadecimal or 0 octal, optionally signed).
bool ParseTemplateNumber(const std::string& s, long long* v);

}  // namespace user
