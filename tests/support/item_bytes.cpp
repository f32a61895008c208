// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/item_bytes.h"

namespace zantor::test {

Bytes makeItem(int typeByte, std::size_t size, std::uint32_t seed) {
    Bytes b(size);
    std::uint32_t x = seed * 2654435761u + 12345u;
    for (auto& byte : b) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        byte = static_cast<unsigned char>(x);
    }
    b[35] = static_cast<unsigned char>(typeByte);
    b[52] = 7;
    if (typeByte == 0 && size >= 129) {
        b[121] = 1;
        b[125] = 1;
    }
    if (typeByte == 3)
        b[27] = 0x12; // Save keeps rows whose first code is the higher one
    return b;
}

void put32(Bytes& b, std::size_t offset, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    b[offset] = static_cast<unsigned char>(u >> 24);
    b[offset + 1] = static_cast<unsigned char>(u >> 16);
    b[offset + 2] = static_cast<unsigned char>(u >> 8);
    b[offset + 3] = static_cast<unsigned char>(u);
}

void put24(Bytes& b, std::size_t offset, std::uint32_t value) {
    b[offset] = static_cast<unsigned char>(value >> 16);
    b[offset + 1] = static_cast<unsigned char>(value >> 8);
    b[offset + 2] = static_cast<unsigned char>(value);
}

std::int32_t get32(const Bytes& b, std::size_t offset) {
    return static_cast<std::int32_t>((std::uint32_t{b[offset]} << 24) |
                                     (std::uint32_t{b[offset + 1]} << 16) |
                                     (std::uint32_t{b[offset + 2]} << 8) | b[offset + 3]);
}

} // namespace zantor::test
