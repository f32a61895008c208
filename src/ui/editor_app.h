// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_store.h"
#include "ui/aboutwindow.h"
#include "ui/configwindow.h"
#include "ui/dialogs.h"
#include "ui/mainwindow.h"

#include <memory>

class QApplication;

namespace zantor {

/// The application-wide look, name, desktop file name and window icon of the editor.
void setUpEditorApplication(QApplication& app);

// The editor's windows over the settings store they are given: the main and the
// configuration window in program order, the About window when first asked for. The
// program shows `main`; benchmarks build the same windows.
struct EditorWindows {
    explicit EditorWindows(std::unique_ptr<SettingsStore> settings);
    EditorWindows(const EditorWindows&) = delete;
    EditorWindows& operator=(const EditorWindows&) = delete;

    std::unique_ptr<SettingsStore> store;
    QtDialogs dialogs;
    TmainWindow main;
    TconfigWindow config;

    TaboutWindow& about() { return main.aboutWindow(); }
};

} // namespace zantor
