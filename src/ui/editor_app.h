// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_store.h"
#include "ui/aboutwindow.h"
#include "ui/configwindow.h"
#include "ui/dialogs.h"
#include "ui/mainwindow.h"

#include <future>
#include <memory>

class QApplication;

namespace zantor {

/// Begins the font system's set-up on a thread of its own, before the application
/// object exists: it reads the font configuration while the application connects to
/// the window system, instead of when the windows' first text is measured. Keep the
/// result until the windows are built.
[[nodiscard]] std::future<void> startFontSystem();

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
