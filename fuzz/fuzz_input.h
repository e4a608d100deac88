// Reads a fuzz input front to back as small fields. Past the end every field reads as zero, so any
// input, however short, describes one complete case, and a seed can be written by hand field by
// field.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

namespace fuzz {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return pos_ >= size_; }

  std::uint8_t U8() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::uint16_t U16() { return static_cast<std::uint16_t>(U8() | (U8() << 8)); }
  std::uint32_t U32() { return U16() | (static_cast<std::uint32_t>(U16()) << 16); }
  std::int32_t S32() { return static_cast<std::int32_t>(U32()); }

  // Up to `count` bytes (fewer at the end of the input).
  std::span<const std::uint8_t> Bytes(std::size_t count) {
    const std::size_t n = pos_ < size_ ? std::min(count, size_ - pos_) : 0;
    std::span<const std::uint8_t> out(data_ + pos_, n);
    pos_ += n;
    return out;
  }
  // A length byte, then that many bytes.
  std::string Text() {
    const auto bytes = Bytes(U8());
    return std::string(bytes.begin(), bytes.end());
  }
  // Everything not read yet.
  std::span<const std::uint8_t> Rest() { return Bytes(size_ - std::min(pos_, size_)); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A property of the code under test does not hold: stop here, so that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}

inline void Check(bool condition, const char* what) {
  if (!condition) Fail(what);
}

}  // namespace fuzz
