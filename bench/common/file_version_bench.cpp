// SPDX-License-Identifier: GPL-3.0-or-later
// What the look at the open item file costs before every Save, beside the baseline of
// reading the item itself: the usual case (the file is the one read: one identity
// query) and the case of a file written again with the same bytes (read and hashed).
#include "common/file_version.h"
#include "common/sha256.h"
#include "record/item_file.h"
#include "support/ratio_main.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct Item {
    std::filesystem::path path;
    Item() {
        path = std::filesystem::temp_directory_path() / "zantor-bench-version.pro";
        unsigned char b[122] = {};
        b[35] = 3; // a weapon
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b), sizeof b);
    }
    ~Item() { std::filesystem::remove(path); }
};

const Item& item() {
    static Item i;
    return i;
}

void BM_Baseline_ReadItem(benchmark::State& state) {
    zantor::ItemRecord record;
    for (auto _ : state) {
        zantor::readItem(item().path, record);
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(BM_Baseline_ReadItem);

void BM_CheckUnchanged(benchmark::State& state) {
    zantor::FileVersion version = zantor::currentVersion(item().path);
    for (auto _ : state)
        benchmark::DoNotOptimize(zantor::changeSince(version, item().path));
}
BENCHMARK(BM_CheckUnchanged);

void BM_CheckWrittenAgainWithTheSameBytes(benchmark::State& state) {
    zantor::FileVersion version = zantor::currentVersion(item().path);
    for (auto _ : state) {
        version.identity->modifiedNs += 1; // as if written again since
        benchmark::DoNotOptimize(zantor::changeSince(version, item().path));
    }
}
BENCHMARK(BM_CheckWrittenAgainWithTheSameBytes);

// The hash of a large file against summing its bytes.
const std::string& megabyte() {
    static const std::string bytes(1 << 20, 'x');
    return bytes;
}

void BM_Baseline_SumMegabyte(benchmark::State& state) {
    for (auto _ : state) {
        unsigned sum = 0;
        for (const char c : megabyte())
            sum += static_cast<unsigned char>(c);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_Baseline_SumMegabyte);

void BM_Sha256Megabyte(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(zantor::sha256Hex(megabyte()));
}
BENCHMARK(BM_Sha256Megabyte);

} // namespace

int main(int argc, char** argv) {
    return zantor::bench::runWithRatios(
        argc, argv,
        {{"BM_CheckUnchanged", "BM_Baseline_ReadItem"},
         {"BM_CheckWrittenAgainWithTheSameBytes", "BM_Baseline_ReadItem"},
         {"BM_Sha256Megabyte", "BM_Baseline_SumMegabyte"}});
}
