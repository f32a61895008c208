// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/file_settings_store.h"
#include "ui/aboutwindow.h"
#include "ui/configwindow.h"
#include "ui/dialogs.h"
#include "ui/mainwindow.h"

#include <filesystem>

class QApplication;

namespace zantor {

/// The application-wide look, name, desktop file name and window icon of the editor.
void setUpEditorApplication(QApplication& app);

// The editor's three windows, created in program order over a settings store of
// their own. The program shows `main`; benchmarks build the same windows.
struct EditorWindows {
    explicit EditorWindows(const std::filesystem::path& settingsRoot);
    EditorWindows(const EditorWindows&) = delete;
    EditorWindows& operator=(const EditorWindows&) = delete;

    FileSettingsStore store;
    QtDialogs dialogs;
    TmainWindow main;
    TconfigWindow config;
    TaboutWindow about;
};

} // namespace zantor
