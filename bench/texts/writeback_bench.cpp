// SPDX-License-Identifier: GPL-3.0-or-later
// The name and description write-back is linear in the file: rewriting an item whose
// old description was never closed (so that it runs to the end of the file) beside
// one pass that loads the same bytes into lines and joins them again, at three sizes:
// the ratio stays put as the file grows.
#include "support/ratio_main.h"
#include "texts/item_texts.h"
#include "texts/line_buffer.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// An item's entries, then its description left open and `size` bytes of lines after it.
std::string openDescriptionFile(std::size_t size) {
    std::string s = "{100}{}{Knife}\r\n{101}{}{A knife, and then\r\n";
    for (int line = 1; s.size() < size; ++line)
        s += "a line of text with no closing brace, number " + std::to_string(line) + "\r\n";
    return s;
}

void loadAndJoin(benchmark::State& state) {
    const std::string file = openDescriptionFile(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        zantor::LineBuffer lines;
        lines.assign(file);
        benchmark::DoNotOptimize(lines.bytes());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}

void writeBackOpenDescription(benchmark::State& state) {
    const std::string file = openDescriptionFile(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        zantor::LineBuffer lines;
        lines.assign(file);
        benchmark::DoNotOptimize(
            zantor::rewriteItemTexts(lines, "pro_item.msg", "100", "Knife", "Closed.", "Knife"));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}

} // namespace

BENCHMARK(loadAndJoin)->Arg(128 << 10)->Arg(1 << 20)->Arg(8 << 20);
BENCHMARK(writeBackOpenDescription)->Arg(128 << 10)->Arg(1 << 20)->Arg(8 << 20);

int main(int argc, char** argv) {
    return zantor::bench::runWithRatios(
        argc, argv,
        {{"writeBackOpenDescription/131072", "loadAndJoin/131072"},
         {"writeBackOpenDescription/1048576", "loadAndJoin/1048576"},
         {"writeBackOpenDescription/8388608", "loadAndJoin/8388608"}});
}
