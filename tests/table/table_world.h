// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/files.h"
#include "settings/settings.h"
#include "support/temp_dir.h"

#include <string>

namespace zantor::test {

// A small folder of items with the message files and art lists they name:
// weapon.pro (text id 100, price 1100, Single/Burst), drug.pro (text id 200,
// addiction code 60, first statistic -2), armor.pro (text id 300) and key.pro.
class TableWorld {
public:
    TableWorld();
    std::string items() const { return dir.file("items"); }
    std::string files() const { return dir.file("files"); }
    std::string item(const std::string& name) const { return items() + "/" + name; }
    std::string proItemMsg() const { return files() + "/pro_item.msg"; }
    DerivedPaths paths() const;
    /// The bytes of every item and text file, for telling that nothing was written.
    std::string snapshot() const;

    TempDir dir;
};

} // namespace zantor::test
