// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli.h"
#include "table/folder_table.h"

namespace zantor::cli {

/// The paths of the message files and art lists under the given folders, as the
/// editor forms them (the art lists from the message folder when `artDir` is empty).
DerivedPaths tablePaths(const std::string& msgDir, const std::string& artDir);

/// Fails with the files that could not be read, so that no item is silently left out.
void requireAllRead(const FolderTable& table);

} // namespace zantor::cli
