// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings.h"

namespace zantor {

// What the configuration window's Done and uninstall ask of the main window, step by
// step in the order Done stores the folders: the derived paths, the lists filled from
// the tables behind them, the open item shown again. The main window implements it;
// the configuration window knows nothing else of it.
class ConfigHost {
public:
    // The lists Done fills again from the files of a new folder.
    enum class List { GroundArt, InventoryArt, MaleLooks, FemaleLooks, Statistics };

    virtual ~ConfigHost() = default;

    virtual DerivedPaths derivedPaths() const = 0;
    virtual void setDerivedPaths(const DerivedPaths& paths) = 0;
    /// Refills a list from its file without keeping its selection. Throws Error.
    virtual void reloadList(List list) = 0;
    /// Loads pro_item.msg again as the line buffer. Throws Error.
    virtual void reloadTexts() = 0;
    /// Shows the open item again under the loading guard; nothing when none is open.
    virtual void showOpenItemAgain() = 0;
    /// Throws the error that the main window's handlers kept while Done wrote into it,
    /// and forgets it (see ActionRunner).
    virtual void rethrowKeptError() = 0;
    /// Forgets such an error once Done has shown its own.
    virtual void forgetKeptError() = 0;
    /// Ends the program without asking and without writing the settings.
    virtual void quit() = 0;
};

} // namespace zantor
