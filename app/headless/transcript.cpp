#include "transcript.h"

#include "report_text.h"
#include "simulated_backend.h"
#include "utf8.h"

namespace script {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

std::string Geometry(const RECT& r) {
  return std::to_string(r.left) + ' ' + std::to_string(r.top) + ' ' +
         std::to_string(r.right - r.left) + ' ' + std::to_string(r.bottom - r.top);
}

void AppendHexByte(std::string& out, unsigned byte) {
  out += kHex[(byte >> 4) & 0xF];
  out += kHex[byte & 0xF];
}

}  // namespace

std::string QuoteText(std::wstring_view text) {
  // Escapes are ASCII, so the text is escaped as wide characters and encoded once.
  std::wstring escaped = L"\"";
  escaped.reserve(text.size() + 2);
  for (wchar_t c : text) {
    switch (c) {
      case L'"':
        escaped += L"\\\"";
        break;
      case L'\\':
        escaped += L"\\\\";
        break;
      case L'\n':
        escaped += L"\\n";
        break;
      case L'\r':
        escaped += L"\\r";
        break;
      case L'\t':
        escaped += L"\\t";
        break;
      default:
        if (c >= 0 && c < 0x20) {
          escaped += L"\\u00";
          escaped += static_cast<wchar_t>(kHex[(c >> 4) & 0xF]);
          escaped += static_cast<wchar_t>(kHex[c & 0xF]);
        } else {
          escaped += c;
        }
    }
  }
  escaped += L'"';
  return base::ToUtf8(escaped);
}

std::string WindowLine(const user::TopLevelEvent& event) {
  const std::string cls = base::ToUtf8(event.class_name);
  if (event.kind == user::TopLevelEvent::Kind::kHidden) {
    return "window hidden " + cls + ' ' + QuoteText(event.text);
  }
  return "window shown " + cls + ' ' + Geometry(event.rect) + ' ' + QuoteText(event.text);
}

std::string VisibleWindowLine(std::wstring_view class_name, const RECT& rect,
                              std::wstring_view text) {
  return "window visible " + base::ToUtf8(class_name) + ' ' + Geometry(rect) + ' ' +
         QuoteText(text);
}

std::string MessageBoxLine(std::wstring_view message) {
  return "messagebox " + QuoteText(message);
}

std::string ReportLine(const hid::Report& report) {
  return "report " + hid::FormatReport(report);
}

std::string StateLine(const LightingState& s) {
  return "state page=" + std::to_string(s.page) + " effect=" + std::to_string(s.effect) +
         " color=" + std::to_string(s.color) + " red=" + std::to_string(s.red) +
         " green=" + std::to_string(s.green) + " blue=" + std::to_string(s.blue) +
         " language=" + std::to_string(s.language) + " qty=" + std::to_string(s.qty) +
         " sync=" + std::to_string(s.sync);
}

std::string PixelLine(int x, int y, std::uint32_t pixel) {
  std::string out = "pixel " + std::to_string(x) + ' ' + std::to_string(y);
  for (int shift : {16, 8, 0}) {
    out += ' ';
    AppendHexByte(out, (pixel >> shift) & 0xFF);
  }
  return out;
}

std::string ExitLine(int code) {
  return "exit " + std::to_string(code);
}

void Transcript::Write(std::string_view line) {
  if (stopped_ || out_ == nullptr) return;
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
}

}  // namespace script
