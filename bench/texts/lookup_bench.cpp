// SPDX-License-Identifier: GPL-3.0-or-later
// A missing id costs one pass over the message file: the lookup beside a plain
// memchr pass over the same bytes, in memory and with the file read; and the standard
// library's searches beside the lookup.
#include "common/files.h"
#include "support/ratio_main.h"
#include "texts/message_lookup.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// About 1 MB of item names and descriptions, as a large name table holds them.
const std::string& messageFile() {
    static const std::string bytes = [] {
        std::string s;
        for (int item = 1; s.size() < 1'000'000; ++item) {
            const std::string id = std::to_string(item * 100);
            s += "{" + id + "}{}{Item number " + std::to_string(item) + "}\r\n";
            s += "{" + std::to_string(item * 100 + 1) + "}{}{A plain thing of wood and iron, " +
                 "number " + std::to_string(item) + ".}\r\n";
        }
        return s;
    }();
    return bytes;
}

const std::string& messagePath() {
    static const std::string path = [] {
        char name[] = "/tmp/zantor-bench-XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd < 0)
            std::abort();
        ::close(fd);
        zantor::writeFileAtomic(name, messageFile().data(), messageFile().size());
        std::atexit([] { std::remove(messagePath().c_str()); });
        return std::string(name);
    }();
    return path;
}

// Missing ids: one that no group of the file resembles, and one as long as the
// largest ids and ending in the same digit, so that many groups are close candidates.
const char* const kMissing[] = {"99999999", "2000000"};

void memchrPass(benchmark::State& state) {
    const std::string& bytes = messageFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(bytes.data(), '\x1a', bytes.size()));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void lookupInMemory(benchmark::State& state) {
    const std::string& bytes = messageFile();
    const char* id = kMissing[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(zantor::lookupMessageIn(bytes, id));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

// The standard library's own searches for the same "{id}" pattern over the same
// bytes: what the lookup's search would be without its block filter.
std::string groupOf(const char* id) {
    return std::string("{") + id + "}";
}

void stringViewFind(benchmark::State& state) {
    const std::string_view bytes = messageFile();
    const std::string pattern = groupOf(kMissing[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(bytes.find(pattern));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void horspoolSearch(benchmark::State& state) {
    const std::string& bytes = messageFile();
    const std::string pattern = groupOf(kMissing[state.range(0)]);
    const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end());
    for (auto _ : state)
        benchmark::DoNotOptimize(std::search(bytes.begin(), bytes.end(), searcher));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void readThenMemchr(benchmark::State& state) {
    const std::string& path = messagePath();
    for (auto _ : state) {
        const zantor::Bytes data = zantor::readFile(path);
        benchmark::DoNotOptimize(std::memchr(data.data(), '\x1a', data.size()));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(messageFile().size()));
}

void lookupInFile(benchmark::State& state) {
    const std::string& path = messagePath();
    const char* id = kMissing[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(zantor::lookupMessage(path, id));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(messageFile().size()));
}

// The folder scan's way: one read, then an id per item file.
void snapshotOfFile(benchmark::State& state) {
    const std::string& path = messagePath();
    for (auto _ : state) {
        const zantor::MessageSnapshot snapshot(path);
        benchmark::DoNotOptimize(snapshot.lookup(kMissing[0]));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(messageFile().size()));
}

} // namespace

BENCHMARK(memchrPass);
BENCHMARK(lookupInMemory)->Arg(0)->Arg(1);
BENCHMARK(stringViewFind)->Arg(0)->Arg(1);
BENCHMARK(horspoolSearch)->Arg(0)->Arg(1);
BENCHMARK(readThenMemchr);
BENCHMARK(lookupInFile)->Arg(0)->Arg(1);
BENCHMARK(snapshotOfFile);

int main(int argc, char** argv) {
    return zantor::bench::runWithRatios(argc, argv,
                                        {{"lookupInMemory/0", "memchrPass"},
                                         {"lookupInMemory/1", "memchrPass"},
                                         {"stringViewFind/0", "lookupInMemory/0"},
                                         {"stringViewFind/1", "lookupInMemory/1"},
                                         {"horspoolSearch/0", "lookupInMemory/0"},
                                         {"horspoolSearch/1", "lookupInMemory/1"},
                                         {"lookupInFile/0", "readThenMemchr"},
                                         {"lookupInFile/1", "readThenMemchr"},
                                         {"snapshotOfFile", "readThenMemchr"}});
}
