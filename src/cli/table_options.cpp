// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/table_options.h"

#include "common/error.h"

namespace zantor::cli {

DerivedPaths tablePaths(const std::string& msgDir, const std::string& artDir) {
    const std::string& art = artDir.empty() ? msgDir : artDir;
    DerivedPaths p;
    p.setMsgFolder(msgDir);
    p.setItemsLstFolder(art);
    p.setInvenLstFolder(art);
    p.setCrittersLstFolder(art);
    return p;
}

void requireAllRead(const FolderTable& table) {
    if (table.readProblems().empty())
        return;
    std::string text = "some item files could not be read:";
    for (const std::string& p : table.readProblems())
        text += "\n  " + p;
    throw Error(text);
}

} // namespace zantor::cli
