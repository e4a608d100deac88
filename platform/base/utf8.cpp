#include "utf8.h"

#include <cstdint>

static_assert(sizeof(wchar_t) == 4, "wide text is held as UTF-32");

namespace base {

std::wstring FromUtf8(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };

  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
      out.push_back(static_cast<wchar_t>(lead));
      ++i;
      continue;
    }

    // The length a lead byte announces, and the range its second byte must fall in: narrower
    // after E0, ED, F0 and F4, which is what rules out overlong forms, surrogates and values
    // beyond U+10FFFF.
    int length = 0;
    std::uint32_t code = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0Fu;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07u;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      out.push_back(kReplacementCharacter);
      ++i;
      continue;
    }

    std::size_t next = i + 1;
    int taken = 1;
    for (; taken < length && next < text.size(); ++taken, ++next) {
      const unsigned char b = byte(next);
      if (b < low || b > high) break;
      code = (code << 6) | (b & 0x3Fu);
      low = 0x80;
      high = 0xBF;
    }
    out.push_back(taken == length ? static_cast<wchar_t>(code) : kReplacementCharacter);
    i = next;
  }
  return out;
}

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (const wchar_t wide : text) {
    auto c = static_cast<std::uint32_t>(wide);
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacementCharacter;
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

}  // namespace base
