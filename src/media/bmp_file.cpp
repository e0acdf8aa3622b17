#include "media/bmp_file.h"

#include "media/little_endian.h"

namespace korbi::media {
namespace {

constexpr std::uint32_t kHeaderSize = 14 + 40;
constexpr std::uint32_t kPixelsPerMetre = 3780; // 96 dots per inch

} // namespace

std::string EncodeBmp24(int width, int height, const std::vector<std::uint32_t>& pixels) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    const auto w = static_cast<std::uint32_t>(width);
    const auto h = static_cast<std::uint32_t>(height);
    const std::uint32_t rowBytes = (w * 3 + 3) / 4 * 4; // rows are padded to 4 bytes
    const std::uint32_t imageSize = rowBytes * h;

    std::string out;
    out.reserve(kHeaderSize + imageSize);
    out += "BM";
    PutU32(out, kHeaderSize + imageSize);
    PutU32(out, 0);
    PutU32(out, kHeaderSize);
    PutU32(out, 40);
    PutU32(out, w);
    PutU32(out, h); // positive: rows are stored bottom row first
    PutU16(out, 1);
    PutU16(out, 24);
    PutU32(out, 0); // no compression
    PutU32(out, imageSize);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, 0);
    PutU32(out, 0);

    for (std::uint32_t row = h; row-- > 0;) {
        const std::size_t rowStart = out.size();
        for (std::uint32_t x = 0; x < w; ++x) {
            const std::size_t index = static_cast<std::size_t>(row) * w + x;
            const std::uint32_t rgb = index < pixels.size() ? pixels[index] : 0;
            out.push_back(static_cast<char>(rgb & 0xFF));
            out.push_back(static_cast<char>((rgb >> 8) & 0xFF));
            out.push_back(static_cast<char>((rgb >> 16) & 0xFF));
        }
        out.append(rowStart + rowBytes - out.size(), '\0');
    }
    return out;
}

} // namespace korbi::media
