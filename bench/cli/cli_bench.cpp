// SPDX-License-Identifier: GPL-3.0-or-later
// zantor-cli against a 50 MB pro_item.msg, each verb in a process of its own beside a
// process of this program that only does the file work the verb cannot avoid:
// - show and list --msg (1,000 items) beside one read of pro_item.msg;
// - set of a name beside one read, a write of a temporary, fsync and rename;
// and, in this process, a second lookup of a name and description in the same file
// (as the "Text ID:" stepper does) beside one read of the file.
#include "common/files.h"
#include "support/bench_world.h"
#include "support/ratio_main.h"
#include "texts/item_texts.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

using zantor::bench::BenchWorld;
using zantor::bench::runProcess;

const BenchWorld& world() {
    static const BenchWorld w(1000, 50'000'000);
    return w;
}

void run(benchmark::State& state, const std::vector<std::string>& argv) {
    for (auto _ : state)
        if (runProcess(argv) != 0)
            state.SkipWithError("the process failed");
}

void BM_ReadOnce(benchmark::State& state) {
    run(state, {zantor::bench::selfPath(), "--child-read", world().proItemMsg()});
}

void BM_ReadWriteFsyncRename(benchmark::State& state) {
    run(state, {zantor::bench::selfPath(), "--child-rewrite", world().proItemMsg()});
}

void BM_CliShow(benchmark::State& state) {
    run(state, {ZANTOR_CLI, "show", world().firstItem(), "--msg-dir", world().files()});
}

void BM_CliSetName(benchmark::State& state) {
    bool other = false;
    for (auto _ : state) {
        other = !other;
        const std::string name = std::string("nameField=Renamed ") + (other ? "A" : "B");
        if (runProcess(
                {ZANTOR_CLI, "set", world().firstItem(), "--msg-dir", world().files(), name}) != 0)
            state.SkipWithError("the process failed");
    }
}

void BM_CliListWithNames(benchmark::State& state) {
    run(state, {ZANTOR_CLI, "list", world().items(), "--msg", world().proItemMsg()});
}

void BM_ReadInProcess(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(zantor::readFile(world().proItemMsg()).size());
}

// The name and description of the item after the one shown, once the shown one's
// were looked up in the same file.
void BM_SecondLookup(benchmark::State& state) {
    const std::string& msg = world().proItemMsg();
    benchmark::DoNotOptimize(zantor::lookupName(msg, "100"));
    benchmark::DoNotOptimize(zantor::lookupDescription(msg, "100"));
    int id = 200;
    for (auto _ : state) {
        const std::string text = std::to_string(id);
        benchmark::DoNotOptimize(zantor::lookupName(msg, text));
        benchmark::DoNotOptimize(zantor::lookupDescription(msg, text));
        id = id >= 100000 ? 200 : id + 100;
    }
}

int childRead(const char* path) {
    const zantor::Bytes bytes = zantor::readFile(path);
    return bytes.empty() ? 1 : 0;
}

int childRewrite(const char* path) {
    const zantor::Bytes bytes = zantor::readFile(path);
    const std::string temp = std::string(path) + ".bench-tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
        ::fsync(fd) != 0 || ::close(fd) != 0)
        return 1;
    return std::rename(temp.c_str(), path) == 0 ? 0 : 1;
}

} // namespace

BENCHMARK(BM_ReadOnce)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadWriteFsyncRename)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliShow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliSetName)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliListWithNames)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SecondLookup)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--child-read")
        return childRead(argv[2]);
    if (argc == 3 && std::string_view(argv[1]) == "--child-rewrite")
        return childRewrite(argv[2]);
    // Made before any benchmark runs: its making would otherwise count in the time of
    // the first one, and leave it a single iteration per repetition.
    world();
    return zantor::bench::runWithRatios(
        argc, argv,
        {{"BM_CliShow/real_time", "BM_ReadOnce/real_time"},
         {"BM_CliSetName/real_time", "BM_ReadWriteFsyncRename/real_time"},
         {"BM_CliListWithNames/real_time", "BM_ReadOnce/real_time"},
         {"BM_SecondLookup/real_time", "BM_ReadInProcess/real_time"}});
}
