// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace zantor::bench {

// A world on disk for the benchmarks, made in a fresh temporary folder and removed
// with it: files/ holds the sample's tables and art lists with a pro_item.msg of a
// chosen size, items/ a chosen number of item files whose names it holds.
class BenchWorld {
public:
    /// `items` item files of every type (names as the browser meets them, some in
    /// capitals); pro_item.msg holds their names and descriptions and is padded with
    /// entries no item asks for up to `msgBytes`.
    BenchWorld(std::size_t items, std::size_t msgBytes);
    BenchWorld(const BenchWorld&) = delete;
    BenchWorld& operator=(const BenchWorld&) = delete;
    ~BenchWorld();

    const std::filesystem::path& root() const { return m_root; }
    std::string items() const { return (m_root / "items").string(); }
    std::string files() const { return (m_root / "files").string(); }
    std::string proItemMsg() const { return (m_root / "files" / "pro_item.msg").string(); }
    /// One of the item files.
    std::string firstItem() const;
    std::size_t itemCount() const { return m_items; }

private:
    std::filesystem::path m_root;
    std::size_t m_items;
};

/// Runs a program (argv[0] is its path) with `cwd` as its current directory and extra
/// environment entries ("NAME=value"), its output thrown away; returns its exit status
/// (-1 when it could not be started or ended by a signal).
int runProcess(const std::vector<std::string>& argv, const std::filesystem::path& cwd = {},
               const std::vector<std::string>& env = {});

/// The baseline of every listing: walks the folder with plain system calls and reads
/// the first 56 bytes of each entry. Returns the bytes read.
std::size_t walkAndRead56(const std::string& dir);

/// The path of the running program.
std::string selfPath();

} // namespace zantor::bench
