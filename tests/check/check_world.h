// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/check.h"
#include "common/files.h"
#include "support/temp_dir.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zantor::test {

// A small world that the check finds nothing in: one item of each type, named in
// pro_item.msg, with every reference named and every picture in its list and drawn.
// Faults are planted by changing it before it is written.
struct CheckWorld {
    std::map<std::string, Bytes> items;                    // file name -> bytes
    std::map<std::string, std::vector<std::string>> files; // table or list -> lines (CR LF)
    std::vector<std::string> pictures;                     // preview bitmaps beside the lists

    CheckWorld();

    /// The clean bytes of the world's item of a type byte (0..6).
    static Bytes cleanItem(int typeByte);
    /// Adds the name and description entries of a text id to pro_item.msg.
    void name(std::int32_t textId, const std::string& name);
    /// The index of the line of a file that begins with `start`.
    std::size_t line(const std::string& file, const std::string& start) const;

    /// Writes items/ and files/ into `dir` and returns the request that checks them.
    CheckRequest write(const TempDir& dir) const;
};

// One planted fault: the rule that must find it and the change that plants it.
struct PlantedFault {
    std::string rule;
    std::string file;    // where the finding is reported
    std::string control; // the field concerned
    std::function<void(CheckWorld&)> plant;
};

/// False for a rule whose fault cannot stand on this system's file system: where letter
/// case is ignored, two names that differ only in it are one file.
bool plantableHere(std::string_view rule);

/// One fault per rule of the check that is plantable here, each planted on a part of the
/// world that no other fault touches, so that all of them can stand in one folder.
const std::vector<PlantedFault>& plantedFaults();

} // namespace zantor::test
