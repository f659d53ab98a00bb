// A small PNG writer: 24-bit RGB, stored (uncompressed) deflate blocks.
// Enough for screenshots a person can open; no windows.h.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace png {

// rgb holds width * height pixels, 3 bytes each, rows top to bottom.
std::vector<uint8_t> encode(int width, int height, const std::vector<uint8_t>& rgb);
bool writeFile(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

} // namespace png
