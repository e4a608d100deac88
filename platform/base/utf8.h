// The one UTF-8 codec of the layer: resource texts and dialog templates are UTF-8 on disk, and
// fontconfig, file names and the host's window titles and markers want UTF-8, while the layer and
// the program hold text as wide strings.
//
// Wide text is UTF-32 here (wchar_t is 32 bits): every wchar_t is one character.
//
// Decoding never fails. Each bad sequence becomes one U+FFFD and decoding goes on right after it.
// A bad sequence is a maximal subpart: from the current byte, the longest run of bytes that could
// still begin a well-formed sequence but does not complete one; when not even the first byte could,
// that byte alone. So
//   - a truncated sequence (E4 B8 before an ASCII byte or the end) is one U+FFFD for all its bytes;
//   - a byte that starts nothing (80..BF on its own, C0, C1, F5..FF) is one U+FFFD each;
//   - overlong forms (C0 AF, E0 80 AF, F0 80 80 AF), encoded surrogates (ED A0 80) and values
//     above U+10FFFF (F4 90 80 80) are caught at their first bytes and give one U+FFFD per byte,
//     because no well-formed sequence begins with those byte pairs.
// A NUL byte decodes to U+0000 like any other character.
//
// Encoding writes every Unicode scalar value as its UTF-8 form and anything else a wchar_t can hold
// (surrogate code points, values above U+10FFFF, negative values) as U+FFFD, one per wchar_t. Two
// surrogates in a row are not joined into one character: in UTF-32 they are two invalid ones, and
// the text renderer draws them as two characters too.
#pragma once

#include <string>
#include <string_view>

namespace base {

inline constexpr wchar_t kReplacementCharacter = 0xFFFD;

std::wstring FromUtf8(std::string_view text);
std::string ToUtf8(std::wstring_view text);

}  // namespace base
