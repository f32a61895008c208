// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/file_version.h"
#include "record/item_record.h"
#include "record/record_form.h"
#include "settings/settings.h"
#include "texts/line_buffer.h"

#include <QHash>
#include <QWidget>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;

namespace zantor {

class DiskWatch;
class FormUndo;
class SettingsStore;
class TaboutWindow;
class TconfigWindow;
class UserDialogs;
class PicturePane;

// The editor: a page control with the common page and one page per item type, the
// item browser below it and the row of command buttons.
class TmainWindow final : public QWidget {
    Q_OBJECT
public:
    TmainWindow(SettingsStore& store, UserDialogs& dialogs, QWidget* parent = nullptr);
    TmainWindow(const TmainWindow&) = delete;
    TmainWindow& operator=(const TmainWindow&) = delete;
    ~TmainWindow() override;

    /// The configuration and About windows, created after this one.
    void attachWindows(TconfigWindow* config, TaboutWindow* about);

    // State that the rest of the program and tests read.
    bool saved() const { return m_saved; }
    int loadingGuard() const { return m_tag; }
    int pageMode() const { return m_pageMode; }
    const ItemRecord& record() const { return m_record; }
    const std::string& openPath() const { return m_openPath; }
    const std::string& rememberedName() const { return m_rememberedName; }
    int rescanMark() const { return m_rescanMark; }
    /// The history of the user's edits in the form.
    FormUndo& undo() const { return *m_undo; }
    /// The watch on the open item file.
    DiskWatch& diskWatch() const { return *m_watch; }
    const DerivedPaths& derivedPaths() const { return m_paths; }

    /// Opens an item file as the item browser's Open does after forming the path.
    /// Returns false (after showing the error) when the file could not be read.
    bool openItemFile(const std::string& path);

    /// Ends the program without asking and without writing the settings.
    void quit();

    // Controls, named as the user-visible parts of the window are named elsewhere.
    QTabWidget* mainPages = nullptr;
    QWidget* commonTab = nullptr;
    QWidget* weaponPage = nullptr;
    QWidget* armorPage = nullptr;
    QWidget* containerPage = nullptr;
    QWidget* drugPage = nullptr;
    QWidget* ammoPage = nullptr;

    // Common page.
    QLineEdit* itemIDfield = nullptr;
    QLineEdit* textIDfield = nullptr;
    QLineEdit* nameField = nullptr;
    QPlainTextEdit* descField = nullptr;
    QComboBox* invenArtList = nullptr;
    QComboBox* groundArtList = nullptr;
    QComboBox* iTypeList = nullptr;
    QLineEdit* materialIDfield = nullptr;
    QLineEdit* materialNameField = nullptr;
    QLineEdit* weightField = nullptr;
    QLineEdit* priceField = nullptr;
    PicturePane* invPic = nullptr;
    PicturePane* groundPic = nullptr;
    QPlainTextEdit* textLines = nullptr;

    // Weapon page.
    QComboBox* atkMode1List = nullptr;
    QLineEdit* range1Field = nullptr;
    QLineEdit* ap1field = nullptr;
    QComboBox* atkMode2List = nullptr;
    QLineEdit* range2Field = nullptr;
    QLineEdit* ap2field = nullptr;
    QLineEdit* minDmgField = nullptr;
    QLineEdit* maxDmgField = nullptr;
    QLineEdit* damageTypeIDfield = nullptr;
    QLineEdit* damageTypeNameField = nullptr;
    QLineEdit* minSTfield = nullptr;
    QLineEdit* reloadAP = nullptr;
    QLineEdit* ammoTypeIDfield = nullptr;
    QLineEdit* ammoTypeNameFIeld = nullptr;
    QLineEdit* ammoIDfield = nullptr;
    QLineEdit* ammoNameField = nullptr;
    QLineEdit* burstAmmoField = nullptr;
    QLineEdit* capacityField = nullptr;
    QComboBox* looksList = nullptr;
    QComboBox* fireFileList = nullptr;
    QLineEdit* fireArtIDField = nullptr;
    QLineEdit* fireArtNameField = nullptr;
    QLineEdit* fireSoundIDfield = nullptr;

    // Armor page.
    QLineEdit* DRnormalField = nullptr;
    QLineEdit* DRfireField = nullptr;
    QLineEdit* DRelectricField = nullptr;
    QLineEdit* DRplasmaField = nullptr;
    QLineEdit* DRlaserField = nullptr;
    QLineEdit* DRempField = nullptr;
    QLineEdit* DRexpField = nullptr;
    QLineEdit* DTnormalField = nullptr;
    QLineEdit* DTfireField = nullptr;
    QLineEdit* DTelectricField = nullptr;
    QLineEdit* DTplasmaField = nullptr;
    QLineEdit* DTlaserField = nullptr;
    QLineEdit* DTempField = nullptr;
    QLineEdit* DTexpField = nullptr;
    QLineEdit* ACfield = nullptr;
    QComboBox* maleLooksList = nullptr;
    QLineEdit* maleLooksDesc = nullptr;
    QComboBox* femaleLooksList = nullptr;
    QLineEdit* femaleLooksDesc = nullptr;

    // Container page.
    QLineEdit* containerCapacity = nullptr;

    // Drug page.
    QComboBox* statList1 = nullptr;
    QComboBox* statList2 = nullptr;
    QComboBox* statList3 = nullptr;
    QLineEdit* effectField11 = nullptr;
    QLineEdit* effectField12 = nullptr;
    QLineEdit* effectField13 = nullptr;
    QLineEdit* effectField21 = nullptr;
    QLineEdit* effectField22 = nullptr;
    QLineEdit* effectField23 = nullptr;
    QLineEdit* effectField31 = nullptr;
    QLineEdit* effectField32 = nullptr;
    QLineEdit* effectField33 = nullptr;
    QLineEdit* midTermField = nullptr;
    QLineEdit* longTermField = nullptr;
    QComboBox* addList = nullptr;
    QLineEdit* addictionField = nullptr;
    QLineEdit* withdrawField = nullptr;

    // Ammunition page.
    QComboBox* ammoTypeList = nullptr;
    QLineEdit* ammo_capacity = nullptr;
    QLineEdit* ACmodField = nullptr;
    QLineEdit* DRmodField = nullptr;
    QLineEdit* ACdmgMod = nullptr;
    QLineEdit* DRdmgMod = nullptr;

    // Item browser and buttons.
    QLineEdit* dirField = nullptr;
    QToolButton* browseButton = nullptr;
    QListWidget* itemList = nullptr;
    QGroupBox* filterGroup = nullptr;
    QCheckBox* weaponFilter = nullptr;
    QCheckBox* armorFilter = nullptr;
    QCheckBox* ammoFilter = nullptr;
    QCheckBox* drugFilter = nullptr;
    QCheckBox* containerFilter = nullptr;
    QCheckBox* keyFilter = nullptr;
    QCheckBox* miscFilter = nullptr;
    QCheckBox* filterAll = nullptr;
    QLabel* itemCount = nullptr;
    QLabel* loadingLabel = nullptr;
    QProgressBar* progBar = nullptr;
    QPushButton* refreshButton = nullptr;
    QPushButton* openButton = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* aboutButton = nullptr;
    QPushButton* configButton = nullptr;
    QPushButton* saveasButton = nullptr;
    QPushButton* saveButton = nullptr;
    QTimer* Timer = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Form;
    class SettingsForm;
    friend class Form;
    friend class SettingsForm;
    // Done in the configuration window stores the folders, rebuilds the derived paths,
    // reloads this window's lists and shows the open item again.
    friend class TconfigWindow;

    void run(const std::function<void()>& handler);
    void rethrowPending();
    void setFieldText(QLineEdit* field, const QString& text);
    void setDescription(const QString& text);
    void setPageByProgram(int index);
    QCheckBox* filterBox(Filter filter) const;

    // Building.
    void buildCommonPage();
    void buildWeaponPage();
    void buildArmorPage();
    void buildContainerPage();
    void buildDrugPage();
    void buildAmmoPage();
    void buildBrowser();
    void connectHandlers();
    // A control named `control`, with the label, limit and hint of its field in the
    // record's tables (`label` for controls that are not fields).
    QLineEdit* makeEdit(const char* control, QWidget* parent, const QString& label = {});
    QLineEdit* makeNameBox(const char* control, QWidget* parent, const QString& label);
    QComboBox* makeList(const char* control, QWidget* parent);
    QLabel* labelFor(QWidget* control, const QString& text);
    /// Puts a control with its label at a row and column pair of a grid.
    void place(QGridLayout* grid, QWidget* control, int row, int col);

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

    // Item browser.
    void dirFieldChange();
    void dirFieldExit();
    void browseButtonClick();
    void refreshButtonClick();
    void filterAllClick();
    void TimerTimer();
    void itemListClick();
    void itemListDblClick();
    void openButtonClick();
    QListWidgetItem* selectedListEntry() const;

    // Steps shared by several handlers.
    void recordDisplay();
    void openItem(const std::string& path);
    void showNameAndDescription();
    void pageStep();
    void enablingStep();
    void groundPreview();
    void inventoryPreview();
    void showLooks(QComboBox* list, QLineEdit* desc);
    void loadLineBuffer();
    /// Replaces a list's entries (game text), keeping its selected position if asked.
    void refill(QComboBox* list, const std::vector<std::string>& entries, bool keepSelection);
    void fillCalibreList();
    void fillStatLists(bool keepSelection);
    void loadArtList(QComboBox* list, const std::string& path, bool keepSelection);
    void save(AttackModeRule rule, const std::string& path, bool inPlace);

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
    void rememberSavedVersion();
    void startScan();
    void writeFilters();
    void stepField(QLineEdit* field, bool up, bool material);

    SettingsStore& m_store;
    UserDialogs& m_dialogs;
    TconfigWindow* m_config = nullptr;
    TaboutWindow* m_about = nullptr;
    std::unique_ptr<Form> m_form;
    QHash<QString, QWidget*> m_controls;
    int m_actionDepth = 0;
    std::exception_ptr m_pendingError;
    bool m_programChangesPage = false;
    bool m_programFillsList = false;
    bool m_listPressPending = false; // a mouse press on the item list not yet answered
    bool m_shownOnce = false;

    // Program-wide state of the editor.
    ItemRecord m_record;
    std::string m_openPath;
    std::string m_rememberedName;
    DerivedPaths m_paths;
    bool m_saved = true;
    int m_tag = 0;      // the loading guard
    int m_pageMode = 0; // 0 no choice yet, 1 common page, 2 a type page
    int m_selectionKeeper = -1;
    bool m_firstActivation = true;
    bool m_quitting = false;
    int m_rescanMark = 0; // the item list's tag: 1 when the list must be rebuilt
    LineBuffer m_lineBuffer;
    FileVersion m_openVersion; // the open item file as it was read or last saved
    DiskWatch* m_watch = nullptr;
    FormUndo* m_undo = nullptr;
    bool m_askingAboutDisk = false;
    std::string m_askedAboutSha; // the last version on disk the watch asked about
};

} // namespace zantor
