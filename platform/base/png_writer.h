// Writes 32-bit pixels (0x00RRGGBB, rows top first) as an RGB PNG file through libpng.
#pragma once

#include <cstdint>
#include <string>

namespace base {

// Returns false, with a message in `error` when given, if the file cannot be written.
bool WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height,
              int stride, std::string* error = nullptr);

}  // namespace base
