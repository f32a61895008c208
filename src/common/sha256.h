// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zantor {

using Sha256Digest = std::array<unsigned char, 32>;

/// The SHA-256 digest of the bytes (FIPS 180-4).
Sha256Digest sha256(const void* data, std::size_t size);

/// The SHA-256 digest of the bytes as 64 lower-case hexadecimal digits.
std::string sha256Hex(const void* data, std::size_t size);
inline std::string sha256Hex(std::string_view bytes) {
    return sha256Hex(bytes.data(), bytes.size());
}

} // namespace zantor
