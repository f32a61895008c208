// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/item_record.h"
#include "record/record_form.h"
#include "session/edit_session.h"
#include "settings/settings.h"
#include "ui/action_runner.h"
#include "ui/config_host.h"

#include <QHash>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace zantor {

class CheckWindow;
class DiskWatch;
class FormUndo;
class ItemBrowser;
class SettingsStore;
class TaboutWindow;
class TconfigWindow;
class UserDialogs;
class WindowForm;
class TableDialogs;
class TableWindow;

// The editor: a page control with the common page and one page per item type, the
// item browser below it and the row of command buttons.
class TmainWindow final : public QWidget {
    Q_OBJECT
public:
    TmainWindow(SettingsStore& store, UserDialogs& dialogs, QWidget* parent = nullptr);
    TmainWindow(const TmainWindow&) = delete;
    TmainWindow& operator=(const TmainWindow&) = delete;
    ~TmainWindow() override;

    /// The configuration window, created after this one.
    void attachConfigWindow(TconfigWindow* config);
    /// The About window, made when it is first needed: start-up does not build it.
    TaboutWindow& aboutWindow();

    // State that the rest of the program and tests read.
    bool saved() const { return m_session.saved(); }
    // Which page the user last chose: the type page of an opened item comes to the front
    // only after the user chose a type page.
    enum class PageMode { NoChoice, CommonPage, TypePage };

    /// True while the program itself fills the editor: its writes are no edits.
    bool loading() const { return m_loading; }
    PageMode pageMode() const { return m_pageMode; }
    const ItemRecord& record() const { return m_session.record(); }
    const std::string& openPath() const { return m_session.openPath(); }
    const std::string& rememberedName() const { return m_session.rememberedName(); }
    /// True when the item list must be rebuilt (the folder changed or a rescan was asked).
    bool rescanNeeded() const;
    const DerivedPaths& derivedPaths() const { return m_session.paths(); }
    /// The history of the user's edits in the form.
    FormUndo& undo() const { return *m_undo; }
    /// The watch on the open item file.
    DiskWatch& diskWatch() const { return *m_watch; }

    /// Opens an item file as the item browser's Open does after forming the path.
    /// Returns false (after showing the error) when the file could not be read.
    bool openItemFile(const std::string& path);

    /// Opens an item file as Open does (asking first about unsaved changes) and puts the
    /// focus in the named control, on its page; nothing more when the file cannot be read.
    void openAtField(const std::string& path, const std::string& control);
    /// The folder check's results window, once "Check folder" has opened it.
    CheckWindow* checkWindow() const { return m_check; }

    /// Ends the program without asking and without writing the settings.
    void quit();

    /// What the configuration window asks of this one.
    ConfigHost& configHost();

    /// Opens the folder (the folder field's text when empty) as a table, with the
    /// browser's type filters; returns the table window, or nullptr after showing the
    /// error when it could not be read.
    TableWindow* showFolderTable(const QString& folder = {});

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class SettingsForm;
    class ConfigLink;

    void run(const std::function<void()>& handler);
    void rethrowPending();
    /// Runs the lookup, preview or page step that follows a field the display filled.
    void refreshAfterField(Refresh what);
    void setFieldText(QLineEdit* field, const QString& text);
    void setDescription(const QString& text);
    void setPageByProgram(int index);

    // Building.
    void buildBrowserAndButtons();
    // The form's controls by objectName: the pages own them.
    QLineEdit* edit(const char* name) const;
    QComboBox* comboBox(const char* name) const;
    QPlainTextEdit* description() const;
    void connectHandlers();
    struct FormHandler {
        const char* control;
        void (TmainWindow::*change)();
        void (TmainWindow::*step)(bool up); // nullptr: the Up and Down keys do not step
    };
    static const FormHandler kFormHandlers[];
    static const FormHandler* formHandler(std::string_view control);

    // Window events.
    void FormCreate();
    void _mainWindowShow();
    void FormActivate();
    void _exit();
    void _showConfig();
    void aboutButtonClick();

    // Editing.
    void notSaved();
    void guardedClear();
    void mainPagesChange(int index);
    void textIDfieldChange();
    void textIDfieldKeyDown(bool up);
    void nameFieldChange();
    void saveButtonClick();
    void _saveAs();

    // Names beside numbers, lists, previews and looks.
    void _changeMaterialName();
    void _changeDmgType();
    void _changeAmmoType();
    void _changeDefaultAmmoName();
    void _changeFireArtName();
    void materialIDfieldKeyDown(bool up);
    void damageTypeIDfieldKeyDown(bool up);
    void ammoTypeIDfieldKeyDown(bool up);
    void ammoIDfieldKeyDown(bool up);
    void fireArtIDFieldKeyDown(bool up);
    void addListChange(int index);
    void groundArtListChange();
    void invenArtListChange();
    void maleLooksListChange();
    void femaleLooksListChange();

    /// The item list's context menu entry and Ctrl+T for the folder table.
    void addFolderTableHooks();
    // Offers to save unsaved changes first; false when the save was cancelled.
    bool askToSaveBeforeOpening();
    /// Opens the item the browser asks for, after asking about unsaved changes.
    void openChosenItem(const std::string& path);
    // "Check folder" in the item list's context menu and Ctrl+K.
    void buildCheckHooks();
    void showCheck();

    // Steps shared by several handlers.
    void recordDisplay();
    void openItem(const std::string& path);
    void showNameAndDescription();
    /// Shows what follows a refresh (names, pictures, looks) in the controls it names.
    void showReferences(Refresh what);
    void pageStep();
    void enablingStep();
    void groundPreview();
    void inventoryPreview();
    void loadLineBuffer();
    /// Replaces a list's entries (game text), keeping its selected position if asked.
    void refill(QComboBox* list, const std::vector<std::string>& entries, bool keepSelection);
    void fillCalibreList();
    void fillStatLists(bool keepSelection);
    void loadArtList(QComboBox* list, bool keepSelection);
    void save(SaveKind kind, const std::string& path = {});

    // Changes on disk, undo and revert.
    void setUpSafeEditing();
    void fileTouched();
    bool diskAllowsSave();
    /// Asks what to do about a change made on disk by another program; true for Reload,
    /// which it has done, false otherwise ("Keep mine" makes the next Save write over it).
    enum class ChangeAnswer { Reload, KeepMine, Cancel };
    ChangeAnswer askAboutChange();
    void reloadItem();
    void revert();
    void writeFilters();
    void stepField(QLineEdit* field, bool up, bool material);

    QTabWidget* mainPages = nullptr;
    ItemBrowser* m_browser = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* aboutButton = nullptr;
    QPushButton* configButton = nullptr;
    QPushButton* saveasButton = nullptr;
    QPushButton* saveButton = nullptr;

    SettingsStore& m_store;
    UserDialogs& m_dialogs;
    TconfigWindow* m_config = nullptr;
    TaboutWindow* m_about = nullptr;
    ActionRunner m_runner;
    std::unique_ptr<ConfigLink> m_configLink;
    QHash<QString, QWidget*> m_controls;
    std::unique_ptr<WindowForm> m_form;
    bool m_shownOnce = false;

    // The open item, its paths and Save: what the window and zantor-cli share.
    EditSession m_session;
    bool m_loading = false; // the loading guard
    PageMode m_pageMode = PageMode::NoChoice;
    int m_selectionKeeper = -1;
    bool m_firstActivation = true;
    bool m_quitting = false;
    CheckWindow* m_check = nullptr;
    std::unique_ptr<TableDialogs> m_tableDialogs;
    DiskWatch* m_watch = nullptr;
    FormUndo* m_undo = nullptr;
    bool m_askingAboutDisk = false;
    std::string m_askedAboutSha; // the last version on disk the watch asked about
};

} // namespace zantor
