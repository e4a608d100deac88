// UTF-8 both ways; malformed input gives one U+FFFD per maximal subpart, then decoding goes on.
#include "utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

constexpr wchar_t R = base::kReplacementCharacter;

struct Pair {
  const char* what;
  std::string_view utf8;
  std::wstring_view wide;
};

// Round trips: the wide side is the compiler's reading of the source, the byte side spelled out.
constexpr Pair kWellFormed[] = {
    {"empty", "", L""},
    {"ASCII", "Apply", L"Apply"},
    {"a NUL inside", std::string_view("a\0b", 3), std::wstring_view(L"a\0b", 3)},
    {"two bytes", "\xC3\xA9", L"\u00E9"},
    {"last of two bytes", "\xDF\xBF", L"\u07FF"},
    {"first of three bytes", "\xE0\xA0\x80", L"\u0800"},
    {"last before the surrogates", "\xED\x9F\xBF", L"\uD7FF"},
    {"first after the surrogates", "\xEE\x80\x80", L"\uE000"},
    {"the replacement character itself", "\xEF\xBF\xBD", L"\uFFFD"},
    {"four bytes", "\xF0\x9F\x98\x80", L"\U0001F600"},
    {"first of four bytes", "\xF0\x90\x80\x80", L"\U00010000"},
    {"the last code point", "\xF4\x8F\xBF\xBF", L"\U0010FFFF"},
    {"language switch", "\xE4\xB8\xAD\xE6\x96\x87", L"中文"},
};

TEST(Utf8, WellFormedTextRoundTrips) {
  for (const Pair& p : kWellFormed) {
    SCOPED_TRACE(p.what);
    EXPECT_EQ(base::FromUtf8(p.utf8), p.wide);
    EXPECT_EQ(base::ToUtf8(p.wide), p.utf8);
  }
}

constexpr Pair kMalformed[] = {
    // Bytes that start nothing: one each.
    {"lone continuation", "a\x80z", L"a\uFFFDz"},
    {"continuations in a row", "\x80\xBF", L"\uFFFD\uFFFD"},
    {"C0 and C1 leads", "\xC0\xC1", L"\uFFFD\uFFFD"},
    {"leads beyond F4", "\xF5\xF8\xFF", L"\uFFFD\uFFFD\uFFFD"},
    {"five-byte form", "\xF8\x88\x80\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
    // Overlong forms fail at their first byte or pair, so every byte is replaced.
    {"overlong slash, two bytes", "\xC0\xAF", L"\uFFFD\uFFFD"},
    {"overlong NUL", "\xC0\x80", L"\uFFFD\uFFFD"},
    {"overlong slash, three bytes", "\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"},
    {"overlong slash, four bytes", "\xF0\x80\x80\xAF", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
    // Surrogates encoded as if they were characters, alone and as a pair.
    {"high surrogate", "\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
    {"surrogate pair", "\xED\xA0\xBD\xED\xB8\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
    // Beyond U+10FFFF.
    {"U+110000", "\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"F7 lead", "\xF7\xBF\xBF\xBF", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
    // Truncated sequences: the bytes that did fit become one replacement, the next byte stays.
    {"two of three bytes, then ASCII",
     "\xE4\xB8"
     "A",
     L"\uFFFDA"},
    {"three of four bytes at the end", "x\xF0\x9F\x98", L"x\uFFFD"},
    {"lead at the end", "\xE4", L"\uFFFD"},
    {"truncated, then a good character", "\xE4\xB8\xE6\x96\x87", L"\uFFFD文"},
    {"truncated four-byte, then a lead that starts nothing", "\xF0\x9F\xC0", L"\uFFFD\uFFFD"},
    // Decoding goes on: damage in the middle of a program text costs only the damaged character.
    {"damaged text",
     "\xE7\x81\xAF\xE6\x95"
     "\xE5\xBA\x94\xE7\x94\xA8",
     L"灯\uFFFD应用"},
};

TEST(Utf8, EachMalformedSequenceBecomesOneReplacement) {
  for (const Pair& p : kMalformed) {
    SCOPED_TRACE(p.what);
    EXPECT_EQ(base::FromUtf8(p.utf8), p.wide);
  }
}

TEST(Utf8, WideValuesThatAreNotCharactersEncodeAsReplacements) {
  const std::string replacement = "\xEF\xBF\xBD";
  for (const wchar_t bad : {static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0xDFFF),
                            static_cast<wchar_t>(0x110000), static_cast<wchar_t>(-1)}) {
    SCOPED_TRACE(static_cast<long>(bad));
    EXPECT_EQ(base::ToUtf8(std::wstring{L'a', bad, L'b'}), "a" + replacement + "b");
  }
  // A surrogate pair is two values that are not characters, not one character.
  const std::wstring pair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
  EXPECT_EQ(base::ToUtf8(pair), replacement + replacement);
  // Whatever is encoded decodes again without loss or further damage.
  EXPECT_EQ(base::FromUtf8(base::ToUtf8(pair)), (std::wstring{R, R}));
}

}  // namespace
