// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings.h"
#include "table/table_csv.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace zantor::bench {

// A folder of item files of every type with the message files and art lists they
// name, removed at exit: the table's benchmarks all run on the same one.
struct ItemFolder {
    static constexpr int kFiles = 10000;
    std::filesystem::path root;
    std::string items;
    std::string files;

    ItemFolder() {
        char tmpl[] = "/tmp/zantor-bench-XXXXXX";
        root = ::mkdtemp(tmpl);
        items = (root / "items").string();
        files = (root / "files").string();
        std::filesystem::create_directories(items);
        std::filesystem::create_directories(files);
        static constexpr int kSizes[] = {129, 65, 125, 122, 81, 70, 61};
        std::string msg;
        for (int i = 0; i < kFiles; ++i) {
            unsigned char b[129] = {};
            const int type = i % 7;
            const int textId = 100 * (i + 1);
            put32(b, 4, textId);
            put32(b, 8, i % 20);
            b[27] = static_cast<unsigned char>(0x76);
            b[35] = static_cast<unsigned char>(type);
            put32(b, 36, i % 5);
            put32(b, 44, i % 37);
            put32(b, 48, (i * 7919) % 5000);
            b[52] = 7;
            for (std::size_t o = 57; o + 4 <= static_cast<std::size_t>(kSizes[type]); o += 4)
                put32(b, o, (i + static_cast<int>(o)) % 90);
            char name[32];
            std::snprintf(name, sizeof name, "item%05d.pro", i);
            std::ofstream(std::filesystem::path(items) / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(b), kSizes[type]);
            msg += "{" + std::to_string(textId) + "}{}{Item number " + std::to_string(i) +
                   "}\r\n{" + std::to_string(textId + 1) + "}{}{A description of item " +
                   std::to_string(i) + ", long enough to be like a real one.}\r\n";
        }
        write("pro_item.msg", msg);
        std::string proto;
        for (int id = 100; id < 120; ++id)
            proto += "{" + std::to_string(id) + "}{}{Material " + std::to_string(id) + "}\r\n";
        for (int id = 250; id < 320; ++id)
            proto += "{" + std::to_string(id) + "}{}{Name " + std::to_string(id) + "}\r\n";
        write("proto.msg", proto);
        std::string stat;
        for (int id = 100; id <= 137; ++id)
            stat += "{" + std::to_string(id) + "}{}{Statistic " + std::to_string(id) + "}\r\n";
        write("stat.msg", stat);
        write("pro_Crit.msg", "");
        write("pro_Misc.msg", "");
        std::string list;
        for (int n = 0; n < 20; ++n)
            list += "art" + std::to_string(n) + ".frm\r\n";
        write("items.lst", list);
        write("inven.lst", list);
        write("critters.lst", "hmjmps\r\nhfjmps\r\n");
    }
    ~ItemFolder() { std::filesystem::remove_all(root); }

    DerivedPaths paths() const {
        DerivedPaths p;
        p.setMsgFolder(files);
        p.setItemsLstFolder(files);
        p.setInvenLstFolder(files);
        p.setCrittersLstFolder(files);
        return p;
    }

    /// The folder as the table and `zantor-cli export` read it.
    TableSource source() const {
        TableSource s;
        s.folder = items;
        s.paths = paths();
        return s;
    }

    /// One export of the whole folder, as `zantor-cli export` makes it: the folder
    /// read into a table, then written as CSV. The number of rows.
    std::size_t exportOnce() const {
        const FolderTable table(source());
        const std::string csv = exportCsv(table);
        return csv.empty() ? 0 : table.rowCount();
    }

    static ItemFolder& get() {
        static ItemFolder f;
        return f;
    }

private:
    static void put32(unsigned char* b, std::size_t o, int v) {
        const auto u = static_cast<unsigned>(v);
        b[o] = static_cast<unsigned char>(u >> 24);
        b[o + 1] = static_cast<unsigned char>(u >> 16);
        b[o + 2] = static_cast<unsigned char>(u >> 8);
        b[o + 3] = static_cast<unsigned char>(u);
    }
    void write(const char* name, const std::string& text) const {
        std::ofstream(std::filesystem::path(files) / name, std::ios::binary) << text;
    }
};

} // namespace zantor::bench
