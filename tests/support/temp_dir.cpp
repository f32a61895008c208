// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace zantor::test {

TempDir::TempDir() {
    const auto base = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = base / ("zantor-test-" + std::to_string(random() % 1000000000));
        std::error_code ec;
        // create_directory is false for a folder that exists: another test's.
        if (std::filesystem::create_directory(candidate, ec)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    // Read-only files and folders left by tests must not stop the clean-up.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

std::string TempDir::write(const std::string& name, const Bytes& bytes) const {
    const auto p = m_path / pathFromUtf8(name);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    return utf8Of(p);
}

std::string TempDir::write(const std::string& name, const std::string& text) const {
    return write(name, toBytes(text));
}

Bytes readAll(const std::string& path) {
    std::ifstream f(pathFromUtf8(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string readText(const std::string& path) {
    const Bytes b = readAll(path);
    return std::string(b.begin(), b.end());
}

Bytes toBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

} // namespace zantor::test
