// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/files.h"

#include <filesystem>
#include <string>

namespace zantor::test {

// A fresh folder under the system's temporary folder, removed with its content.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::filesystem::path& path() const { return m_path; }
    // Names and paths are UTF-8 text, as the core keeps them.
    std::string file(const std::string& name) const { return utf8Of(m_path / pathFromUtf8(name)); }
    /// Writes a file of the given bytes and returns its path.
    std::string write(const std::string& name, const Bytes& bytes) const;
    std::string write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path m_path;
};

Bytes readAll(const std::string& path);
/// The bytes of a file as a string.
std::string readText(const std::string& path);
Bytes toBytes(const std::string& text);

} // namespace zantor::test
