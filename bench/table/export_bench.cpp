// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV export of 10,000 items beside the listing with names that `zantor-cli list
// --msg` prints for the same folder.
#include "browser/scan.h"
#include "item_folder.h"
#include "support/ratio_main.h"
#include "table/table_csv.h"

#include <benchmark/benchmark.h>

namespace {

using zantor::bench::ItemFolder;

void BM_ListWithNames(benchmark::State& state) {
    zantor::ScanRequest request;
    request.folder = ItemFolder::get().items;
    request.types.fill(true);
    request.withNames = true;
    request.proItemMsg = ItemFolder::get().paths().proItemMsg;
    for (auto _ : state) {
        auto result = zantor::scanFolder(request);
        if (result.entries.size() != ItemFolder::kFiles)
            state.SkipWithError("wrong number of entries");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ListWithNames)->Unit(benchmark::kMillisecond);

void BM_Export(benchmark::State& state) {
    for (auto _ : state) {
        if (ItemFolder::get().exportOnce() != ItemFolder::kFiles)
            state.SkipWithError("wrong number of rows");
    }
}
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    ItemFolder::get(); // made before any benchmark is timed
    return zantor::bench::runWithRatios(argc, argv, {{"BM_Export", "BM_ListWithNames"}});
}
