// The lines the headless program writes on standard output, and the writer that flushes each one
// as it is written, so that a tool reading the other end of a pipe sees what happened when it
// happened.
//
//   window shown CLASS X Y W H "TEXT"      a top-level window became visible
//   window hidden CLASS "TEXT"             ... was hidden, minimised or destroyed
//   window visible CLASS X Y W H "TEXT"    answer to `windows`
//   messagebox "TEXT"                      a message box opened (after its `window shown`)
//   report HH HH ... HH                    the controller received a report: 65 bytes
//   state page=P effect=E color=C red=R green=G blue=B language=L qty=Q sync=S
//   pixel X Y RR GG BB
//   exit CODE
//
// Hex digits are upper case. Numbers are decimal. A TEXT is written as a JSON string: UTF-8
// between double quotes, with `"` and `\` escaped by a backslash, line feed, carriage return and
// tab as \n, \r and \t, other control characters as \u00XX, and anything that is not a Unicode
// character as U+FFFD. A line therefore never breaks inside a text, and any JSON decoder reads one.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "hid_backend.h"
#include "user.h"

namespace script {

// The application's lighting choice as `state` prints it.
struct LightingState {
  int page = 0;
  int effect = 0;
  int color = 0;
  int red = 0;
  int green = 0;
  int blue = 0;
  int language = 0;
  int qty = 0;
  int sync = 0;
};

// A window's text, quoted as described above.
std::string QuoteText(std::wstring_view text);

// A top-level event as a `window shown` or `window hidden` line.
std::string WindowLine(const user::TopLevelEvent& event);
// A `window visible` line.
std::string VisibleWindowLine(std::wstring_view class_name, const RECT& rect,
                              std::wstring_view text);
std::string MessageBoxLine(std::wstring_view message);
std::string ReportLine(const hid::Report& report);
std::string StateLine(const LightingState& state);
// `pixel` is 0x00RRGGBB.
std::string PixelLine(int x, int y, std::uint32_t pixel);
std::string ExitLine(int code);

// Writes whole lines and flushes after each. Once stopped it writes nothing more.
class Transcript {
 public:
  explicit Transcript(std::FILE* out) : out_(out) {}

  // `line` without its line feed.
  void Write(std::string_view line);
  void Stop() { stopped_ = true; }
  bool Stopped() const { return stopped_; }

 private:
  std::FILE* out_ = nullptr;
  bool stopped_ = false;
};

}  // namespace script
