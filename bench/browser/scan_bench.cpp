// SPDX-License-Identifier: GPL-3.0-or-later
// The folder scan of 10,000 item files, with and without names from a 1 MB
// message file, beside a baseline that only walks the folder and reads 56 bytes
// of each file with plain system calls; and the ordering of 10,000 entries as a reader
// expects beside a plain sort of their bytes.
#include "browser/scan.h"
#include "support/ratio_main.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int kFiles = 10000;

struct Folder {
    std::filesystem::path root;
    std::string items;
    std::string msg;

    Folder() {
        char tmpl[] = "/tmp/zantor-bench-XXXXXX";
        root = ::mkdtemp(tmpl);
        items = (root / "items").string();
        std::filesystem::create_directories(items);
        std::string msgText;
        for (int i = 0; i < kFiles; ++i) {
            unsigned char b[122] = {};
            const int textId = 100 * (i + 1);
            b[4] = static_cast<unsigned char>(textId >> 24);
            b[5] = static_cast<unsigned char>(textId >> 16);
            b[6] = static_cast<unsigned char>(textId >> 8);
            b[7] = static_cast<unsigned char>(textId);
            b[35] = static_cast<unsigned char>(i % 7);
            char name[32];
            std::snprintf(name, sizeof name, i % 5 == 0 ? "ITEM%04d.PRO" : "item%04d.pro", i);
            std::ofstream(std::filesystem::path(items) / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(b), sizeof b);
            msgText += "{" + std::to_string(textId) + "}{}{Item number " + std::to_string(i) +
                       "}\r\n{" + std::to_string(textId + 1) + "}{}{A description of item " +
                       std::to_string(i) + ", long enough to be like a real one.}\r\n";
        }
        // Pad to about 1 MB with entries no item asks for.
        for (int id = 5000000; msgText.size() < 1000000; ++id)
            msgText +=
                "{" + std::to_string(id) + "}{}{Unused entry " + std::to_string(id) + "}\r\n";
        msg = (root / "pro_item.msg").string();
        std::ofstream(msg, std::ios::binary) << msgText;
    }
    ~Folder() { std::filesystem::remove_all(root); }
};

Folder& folder() {
    static Folder f;
    return f;
}

void BM_Baseline_WalkAndRead56(benchmark::State& state) {
    const std::string& dir = folder().items;
    for (auto _ : state) {
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
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_Baseline_WalkAndRead56)->Unit(benchmark::kMillisecond);

void scan(benchmark::State& state, bool withNames) {
    zantor::ScanRequest request;
    request.folder = folder().items;
    request.types.fill(true);
    request.withNames = withNames;
    request.proItemMsg = folder().msg;
    for (auto _ : state) {
        auto result = zantor::scanFolder(request);
        if (result.entries.size() != static_cast<std::size_t>(kFiles))
            state.SkipWithError("wrong number of entries");
        benchmark::DoNotOptimize(result);
    }
}

void BM_ScanWithoutNames(benchmark::State& state) {
    scan(state, false);
}
BENCHMARK(BM_ScanWithoutNames)->Unit(benchmark::kMillisecond);

void BM_ScanWithNames(benchmark::State& state) {
    scan(state, true);
}
BENCHMARK(BM_ScanWithNames)->Unit(benchmark::kMillisecond);

// Entries as a listing with names makes them, some with accented letters.
std::vector<zantor::ListEntry> namedEntries() {
    const char* const words[] = {"Iron",       "\u00C9p\u00E9e", "oak",
                                 "\u00C6ther", "Stra\u00DFe",    "zinc"};
    std::vector<zantor::ListEntry> entries;
    for (int i = 0; i < kFiles; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "item%04d.pro", (i * 7919) % kFiles);
        entries.push_back(
            {std::string(words[i % 6]) + " item " + std::to_string(i % 997) + " - " + name, name});
    }
    return entries;
}

void BM_Baseline_SortBytes(benchmark::State& state) {
    const auto entries = namedEntries();
    for (auto _ : state) {
        auto copy = entries;
        std::sort(copy.begin(), copy.end(),
                  [](const auto& a, const auto& b) { return a.text < b.text; });
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_Baseline_SortBytes)->Unit(benchmark::kMillisecond);

void BM_SortEntriesForReaders(benchmark::State& state) {
    const auto entries = namedEntries();
    for (auto _ : state) {
        auto copy = entries;
        zantor::sortEntries(copy);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_SortEntriesForReaders)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return zantor::bench::runWithRatios(argc, argv,
                                        {{"BM_ScanWithoutNames", "BM_Baseline_WalkAndRead56"},
                                         {"BM_ScanWithNames", "BM_Baseline_WalkAndRead56"},
                                         {"BM_SortEntriesForReaders", "BM_Baseline_SortBytes"}});
}
