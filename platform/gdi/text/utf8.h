// UTF-8 encoding of wide strings for the C libraries underneath (fontconfig and file names).
#pragma once

#include <string>
#include <string_view>

namespace gdi::text {

// Code points that are not Unicode scalar values (surrogates, beyond U+10FFFF) become U+FFFD.
inline std::string ToUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

// wchar_t holds UTF-32 on this platform.
inline std::string ToUtf8(std::wstring_view text) {
  std::u32string wide;
  wide.reserve(text.size());
  for (wchar_t c : text) wide.push_back(static_cast<char32_t>(c));
  return ToUtf8(std::u32string_view(wide));
}

}  // namespace gdi::text
