#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit RGB pixels (rows top to bottom, 3 bytes a pixel) as a PNG
// file. The image data is stored uncompressed, which every reader accepts.
bool WritePng(const std::wstring& path, int width, int height,
              const std::vector<std::uint8_t>& rgb);
