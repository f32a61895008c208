// SPDX-License-Identifier: GPL-3.0-or-later
// The check of a folder of 10,000 item files beside what `zantor-cli list --msg` does
// with the same folder: the scan that lists every item under its name.
#include "browser/scan.h"
#include "check/check.h"
#include "support/ratio_main.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kFiles = 10000;
constexpr std::size_t kHeader = 57;
constexpr std::size_t kSections[] = {72, 8, 68, 65, 24, 13, 4};

void put32(std::vector<unsigned char>& b, std::size_t at, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(u >> (24 - 8 * i));
}

void write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Items of every type that refer to named entries of the tables and lists, and a
// pro_item.msg of about 1 MB.
struct Folder {
    std::filesystem::path root;
    zantor::CheckRequest request;

    Folder() {
        char tmpl[] = "/tmp/zantor-bench-XXXXXX";
        root = ::mkdtemp(tmpl);
        const auto items = root / "items";
        const auto files = root / "files";
        std::filesystem::create_directories(items);
        std::filesystem::create_directories(files);
        std::string names;
        for (int i = 0; i < kFiles; ++i) {
            const int type = i % 7;
            std::vector<unsigned char> b(kHeader + kSections[type]);
            const int textId = 100 * (i + 1);
            put32(b, 0, i + 1);
            put32(b, 4, textId);
            b[35] = static_cast<unsigned char>(type);
            put32(b, 44, 1);
            put32(b, 48, 10);
            b[52] = 7;
            if (type == 2)
                for (const std::size_t at : {57, 61, 65})
                    put32(b, at, -1);
            if (type == 3) {
                b[81] = 1;
                b[84] = 1;
                put32(b, 109, 1);
                // The ammo item that follows, or for the last weapon the one before it.
                put32(b, 113, i + 1 < kFiles ? i + 2 : i - 5);
                put32(b, 117, 6);
            }
            if (type == 4)
                put32(b, 57, 1);
            char name[32];
            std::snprintf(name, sizeof name, i % 5 == 0 ? "ITEM%04d.PRO" : "item%04d.pro", i);
            std::ofstream(items / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(b.data()),
                       static_cast<std::streamsize>(b.size()));
            names += "{" + std::to_string(textId) + "}{}{Item number " + std::to_string(i) +
                     "}\r\n{" + std::to_string(textId + 1) + "}{}{A description of item " +
                     std::to_string(i) + ", long enough to be like a real one.}\r\n";
        }
        for (int id = 5000000; names.size() < 1000000; ++id)
            names += "{" + std::to_string(id) + "}{}{Unused entry " + std::to_string(id) + "}\r\n";
        write(files / "pro_item.msg", names);
        write(files / "proto.msg", "{10}{}{None}\r\n{100}{}{Iron}\r\n{250}{}{Blunt}\r\n"
                                   "{300}{}{None}\r\n{301}{}{Slug}\r\n");
        write(files / "stat.msg", "{100}{}{Brawn}\r\n");
        write(files / "pro_crit.msg", "{100}{}{Spark}\r\n");
        write(files / "pro_misc.msg", "{100}{}{Puff}\r\n");
        write(files / "items.lst", "a.frm\r\n");
        write(files / "inven.lst", "ia.frm\r\n");
        write(files / "critters.lst", "hmx\r\n");
        write(files / "a.bmp", "BM");
        write(files / "ia.bmp", "BM");
        request.itemFolder = items.string();
        for (const auto f : {zantor::Folder::Msg, zantor::Folder::ItemsLst,
                             zantor::Folder::InvenLst, zantor::Folder::CrittersLst})
            request.paths.setFolder(f, files.string());
    }
    ~Folder() { std::filesystem::remove_all(root); }
};

Folder& folder() {
    static Folder f;
    return f;
}

// What `zantor-cli list --msg` does: the scan that lists every item under its name.
void BM_ListWithNames(benchmark::State& state) {
    zantor::ScanRequest request;
    request.folder = folder().request.itemFolder;
    request.types.fill(true);
    request.withNames = true;
    request.proItemMsg = folder().request.paths.proItemMsg;
    for (auto _ : state) {
        auto result = zantor::scanFolder(request);
        if (result.entries.size() != static_cast<std::size_t>(kFiles))
            state.SkipWithError("wrong number of entries");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ListWithNames)->Unit(benchmark::kMillisecond);

void BM_CheckFolder(benchmark::State& state) {
    for (auto _ : state) {
        auto findings = zantor::checkFolder(folder().request);
        if (!findings.empty())
            state.SkipWithError(("unexpected finding: " + findings[0].message).c_str());
        benchmark::DoNotOptimize(findings);
    }
}
BENCHMARK(BM_CheckFolder)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return zantor::bench::runWithRatios(argc, argv, {{"BM_CheckFolder", "BM_ListWithNames"}});
}
