// The UTF-8 codec on any bytes, and on any wide text.
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "utf8.h"

namespace {

bool IsScalar(std::uint32_t c) {
  return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

void DecodeThenEncode(std::string_view bytes) {
  const std::wstring wide = base::FromUtf8(bytes);
  fuzz::Check(wide.size() <= bytes.size(), "decoding makes at most one character per byte");
  bool replaced = false;
  for (const wchar_t c : wide) {
    fuzz::Check(IsScalar(static_cast<std::uint32_t>(c)), "decoding gives scalar values only");
    replaced = replaced || c == base::kReplacementCharacter;
  }
  const std::string again = base::ToUtf8(wide);
  // What decoding gives is always valid, so it survives the round trip unchanged.
  fuzz::Check(base::FromUtf8(again) == wide, "decoded text round-trips");
  // Well-formed input (no replacement made) comes back byte for byte.
  if (!replaced) fuzz::Check(again == bytes, "well-formed UTF-8 round-trips");
}

void EncodeThenDecode(std::span<const std::uint8_t> raw) {
  std::wstring wide(raw.size() / sizeof(wchar_t), L'\0');
  std::memcpy(wide.data(), raw.data(), wide.size() * sizeof(wchar_t));
  const std::string bytes = base::ToUtf8(wide);
  const std::wstring back = base::FromUtf8(bytes);
  fuzz::Check(back.size() == wide.size(), "one character back for every wchar_t");
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const auto c = static_cast<std::uint32_t>(wide[i]);
    const wchar_t expected = IsScalar(c) ? wide[i] : base::kReplacementCharacter;
    fuzz::Check(back[i] == expected, "encoding keeps scalars and replaces the rest");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DecodeThenEncode(std::string_view(reinterpret_cast<const char*>(data), size));
  EncodeThenDecode(std::span(data, size));
  return 0;
}
