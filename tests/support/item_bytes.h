// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/files.h"

#include <cstddef>
#include <cstdint>

namespace zantor::test {

// Item file bytes for tests: `size` bytes of a repeatable pseudo-random pattern
// with the type byte set and the type-code bytes in the form a save writes them.
Bytes makeItem(int typeByte, std::size_t size, std::uint32_t seed = 1);

void put32(Bytes& b, std::size_t offset, std::int32_t value);
void put24(Bytes& b, std::size_t offset, std::uint32_t value);
std::int32_t get32(const Bytes& b, std::size_t offset);

} // namespace zantor::test
