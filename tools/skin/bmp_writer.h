// Writes pictures as uncompressed 24-bit BMP files, byte for byte the same for the same picture.
#pragma once

#include <string>
#include <vector>

#include "picture.h"

namespace skin {

std::vector<unsigned char> encode_bmp(const Picture& picture);
void write_file(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace skin
