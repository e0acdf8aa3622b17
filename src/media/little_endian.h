#pragma once
// Little-endian integers appended to a byte string, as the bitmap and wave file headers store
// them whatever the machine's own order.
#include <cstdint>
#include <string>

namespace korbi::media {

inline void PutU16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

inline void PutU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

} // namespace korbi::media
