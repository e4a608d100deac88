#include "transcript.h"

#include "simulated_backend.h"

namespace script {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendUtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Utf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t c : text) AppendUtf8(out, static_cast<char32_t>(c));
  return out;
}

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
  std::string out = "\"";
  out.reserve(text.size() + 2);
  for (wchar_t wc : text) {
    const auto c = static_cast<char32_t>(wc);
    switch (c) {
      case U'"':
        out += "\\\"";
        break;
      case U'\\':
        out += "\\\\";
        break;
      case U'\n':
        out += "\\n";
        break;
      case U'\r':
        out += "\\r";
        break;
      case U'\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          AppendHexByte(out, static_cast<unsigned>(c));
        } else {
          AppendUtf8(out, c);
        }
    }
  }
  return out + '"';
}

std::string WindowLine(const user::TopLevelEvent& event) {
  const std::string cls = Utf8(event.class_name);
  if (event.kind == user::TopLevelEvent::Kind::kHidden) {
    return "window hidden " + cls + ' ' + QuoteText(event.text);
  }
  return "window shown " + cls + ' ' + Geometry(event.rect) + ' ' + QuoteText(event.text);
}

std::string VisibleWindowLine(std::wstring_view class_name, const RECT& rect,
                              std::wstring_view text) {
  return "window visible " + Utf8(class_name) + ' ' + Geometry(rect) + ' ' + QuoteText(text);
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
