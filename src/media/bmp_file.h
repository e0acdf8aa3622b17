#pragma once
// Windows bitmap files written byte by byte: always uncompressed 24 bits per pixel, the form
// every bitmap reader understands and the one other clients expect when they fetch a picture.
#include <cstdint>
#include <string>
#include <vector>

namespace korbi::media {

// A whole ".BMP" file for a width x height picture. pixels holds 0xRRGGBB values row by row,
// top row first; missing pixels are black. An empty picture gives an empty string.
std::string EncodeBmp24(int width, int height, const std::vector<std::uint32_t>& pixels);

} // namespace korbi::media
