// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/bench_world.h"

#include "support/child_process.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace zantor::bench {

namespace fs = std::filesystem;

namespace {

std::string itemName(std::size_t i) {
    char name[32];
    std::snprintf(name, sizeof name, i % 5 == 0 ? "ITEM%05zu.PRO" : "item%05zu.pro", i);
    return name;
}

} // namespace

BenchWorld::BenchWorld(std::size_t items, std::size_t msgBytes) : m_items(items) {
    char tmpl[] = "/tmp/zantor-bench-XXXXXX";
    if (!::mkdtemp(tmpl))
        std::abort();
    m_root = tmpl;
    fs::create_directories(m_root / "items");
    fs::copy(fs::path(ZANTOR_SAMPLE_DIR) / "files", m_root / "files", fs::copy_options::recursive);
    std::string msg;
    for (std::size_t i = 0; i < items; ++i) {
        unsigned char b[122] = {};
        const auto textId = static_cast<std::uint32_t>(100 * (i + 1));
        b[4] = static_cast<unsigned char>(textId >> 24);
        b[5] = static_cast<unsigned char>(textId >> 16);
        b[6] = static_cast<unsigned char>(textId >> 8);
        b[7] = static_cast<unsigned char>(textId);
        b[35] = static_cast<unsigned char>(i % 7);
        std::ofstream(m_root / "items" / itemName(i), std::ios::binary)
            .write(reinterpret_cast<const char*>(b), sizeof b);
        msg += "{" + std::to_string(textId) + "}{}{Item number " + std::to_string(i) + "}\r\n{" +
               std::to_string(textId + 1) + "}{}{A description of item " + std::to_string(i) +
               ", long enough to be like a real one.}\r\n";
    }
    // Entries no item asks for, after the items' own, as a large table holds them.
    for (long id = 90000000; msg.size() < msgBytes; ++id)
        msg += "{" + std::to_string(id) + "}{}{Unused entry " + std::to_string(id) +
               ", with some words of text after it}\r\n";
    std::ofstream(m_root / "files" / "pro_item.msg", std::ios::binary) << msg;
}

BenchWorld::~BenchWorld() {
    std::error_code ec;
    fs::remove_all(m_root, ec);
}

std::string BenchWorld::firstItem() const {
    return (m_root / "items" / itemName(1)).string();
}

int runProcess(const std::vector<std::string>& argv, const fs::path& cwd,
               const std::vector<std::string>& env) {
    return support::runChild({.argv = argv, .cwd = cwd, .extraEnv = env});
}

std::size_t walkAndRead56(const std::string& dir) {
    std::size_t bytes = 0;
    DIR* d = ::opendir(dir.c_str());
    while (const dirent* e = ::readdir(d)) {
        if (e->d_name[0] == '.')
            continue;
        const std::string path = dir + "/" + e->d_name;
        unsigned char buf[56];
        const int fd = ::open(path.c_str(), O_RDONLY);
        bytes += static_cast<std::size_t>(::read(fd, buf, sizeof buf));
        ::close(fd);
    }
    ::closedir(d);
    return bytes;
}

std::string selfPath() {
    return fs::read_symlink("/proc/self/exe").string();
}

} // namespace zantor::bench
