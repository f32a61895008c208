// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow.h"

#include "browser/scan.h"
#include "common/error.h"
#include "common/files.h"
#include "record/fields.h"
#include "record/item_file.h"
#include "settings/settings_store.h"
#include "texts/art.h"
#include "texts/encoding.h"
#include "texts/item_save.h"
#include "texts/item_texts.h"
#include "texts/references.h"
#include "ui/aboutwindow.h"
#include "ui/configwindow.h"
#include "ui/dialogs.h"
#include "ui/disk_watch.h"
#include "ui/form_undo.h"
#include "ui/game_text.h"
#include "ui/look.h"
#include "ui/picture_pane.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <utility>

namespace zantor {

namespace {

constexpr int kCommonPageIndex = 0;
constexpr int kPagesHeight = 341;

const char* const kUnsavedOnQuit = "File has not saved! Do you want to save before quit?";
const char* const kUnsavedOnOpen =
    "File has not saved! Do you want to save before opening the next one?";

// The type pages in page-index order with the item type names that show them.
struct TypePage {
    int index;
    const char* typeName;
};
constexpr TypePage kTypePages[] = {
    {1, "weapon"}, {2, "armor"}, {3, "container"}, {4, "drug"}, {5, "ammo"}};

} // namespace

// The editor's controls as the record display and update see them.
class TmainWindow::Form final : public RecordForm {
public:
    explicit Form(TmainWindow& window) : m_w(window) {}

    std::string text(std::string_view control) const override {
        auto* e = qobject_cast<QLineEdit*>(widget(control));
        return e ? e->text().toStdString() : std::string();
    }
    void setText(std::string_view control, const std::string& text) override {
        if (auto* e = qobject_cast<QLineEdit*>(widget(control)))
            m_w.setFieldText(e, QString::fromStdString(text));
    }
    int position(std::string_view control) const override {
        auto* list = qobject_cast<QComboBox*>(widget(control));
        return list ? list->currentIndex() : -1;
    }
    void setPosition(std::string_view control, int position) override {
        if (auto* list = qobject_cast<QComboBox*>(widget(control)))
            list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
    }
    void refresh(Refresh what) override {
        switch (what) {
        case Refresh::None:
            break;
        case Refresh::NameAndDescription:
            m_w.showNameAndDescription();
            break;
        case Refresh::GroundPreview:
            m_w.groundPreview();
            break;
        case Refresh::MaterialName:
            m_w._changeMaterialName();
            break;
        case Refresh::InventoryPreview:
            m_w.inventoryPreview();
            break;
        case Refresh::PageStep:
            m_w.pageStep();
            break;
        case Refresh::DamageTypeName:
            m_w._changeDmgType();
            break;
        case Refresh::ProjectileName:
            m_w._changeFireArtName();
            break;
        case Refresh::AmmoTypeName:
            m_w._changeAmmoType();
            break;
        case Refresh::DefaultAmmoName:
            m_w._changeDefaultAmmoName();
            break;
        case Refresh::MaleLooks:
            m_w.maleLooksListChange();
            break;
        case Refresh::FemaleLooks:
            m_w.femaleLooksListChange();
            break;
        case Refresh::Enabling:
            m_w.enablingStep();
            break;
        }
    }

private:
    QWidget* widget(std::string_view control) const {
        return m_w.m_controls.value(QString::fromUtf8(control.data(), qsizetype(control.size())));
    }
    TmainWindow& m_w;
};

// The window's controls as the reading of the settings fills them.
class TmainWindow::SettingsForm final : public SettingsTarget {
public:
    explicit SettingsForm(TmainWindow& window) : m_w(window) {}
    void setFilter(Filter filter, bool on) override {
        m_w.filterBox(filter)->setChecked(on);
        m_w.rethrowPending();
    }
    void setPreference(Preference preference, bool on) override {
        m_w.m_config->preferenceBox(preference)->setChecked(on);
    }
    void setFolder(Folder folder, const std::string& text) override {
        m_w.m_config->folderField(folder)->setText(QString::fromStdString(text));
    }
    void setItemFolder(const std::string& text) override {
        m_w.setFieldText(m_w.dirField, QString::fromStdString(text));
    }

private:
    TmainWindow& m_w;
};

TmainWindow::TmainWindow(SettingsStore& store, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_store(store), m_dialogs(dialogs), m_form(std::make_unique<Form>(*this)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Zantor | v3.5"));
    applyLook(this);

    mainPages = new QTabWidget(this);
    mainPages->setObjectName(QStringLiteral("mainPages"));
    const std::pair<QWidget**, const char*> pages[] = {{&commonTab, "Stats common to all items"},
                                                       {&weaponPage, "Weapon stats"},
                                                       {&armorPage, "Armor stats"},
                                                       {&containerPage, "Container stats"},
                                                       {&drugPage, "Drug/Medicine stats"},
                                                       {&ammoPage, "Ammunition stats"}};
    const char* const pageNames[] = {"commonTab",     "weaponPage", "armorPage",
                                     "containerPage", "drugPage",   "ammoPage"};
    int i = 0;
    for (const auto& [page, caption] : pages) {
        *page = new QWidget(mainPages);
        (*page)->setObjectName(QString::fromLatin1(pageNames[i++]));
        mainPages->addTab(*page, QString::fromLatin1(caption));
    }
    buildCommonPage();
    buildWeaponPage();
    buildArmorPage();
    buildContainerPage();
    buildDrugPage();
    buildAmmoPage();
    buildBrowser();
    for (const auto& p : kTypePages)
        mainPages->setTabVisible(p.index, false);
    commonTab->setEnabled(false);
    // Lists start without a choice; only the addiction list starts at "None".
    for (QComboBox* list : {iTypeList, atkMode1List, atkMode2List, looksList, fireFileList})
        list->setCurrentIndex(-1);
    // Laid out for Tahoma; where a stand-in font needs more room, the pages and the
    // window grow just enough, as the configuration window does.
    mainPages->setFixedHeight(std::max(kPagesHeight, mainPages->minimumSizeHint().height()));
    fixClientSize(this, QSize(647, 545));

    for (QWidget* w : findChildren<QWidget*>())
        if (!w->objectName().isEmpty())
            m_controls.insert(w->objectName(), w);
    connectHandlers();
    setUpSafeEditing();
    FormCreate();
}

TmainWindow::~TmainWindow() = default;

void TmainWindow::attachWindows(TconfigWindow* config, TaboutWindow* about) {
    m_config = config;
    m_about = about;
}

// Runs a handler from a signal. Inside another user action (the program writing into
// a field) an error is kept for that action, which rethrows it where it wrote; at the
// top it ends the action and is shown.
void TmainWindow::run(const std::function<void()>& handler) {
    if (m_actionDepth > 0) {
        if (m_pendingError)
            return;
        try {
            handler();
        } catch (...) {
            m_pendingError = std::current_exception();
        }
        return;
    }
    ++m_actionDepth;
    reportErrors(m_dialogs, this, [&] {
        handler();
        rethrowPending();
    });
    m_pendingError = nullptr;
    --m_actionDepth;
}

void TmainWindow::rethrowPending() {
    if (m_pendingError) {
        auto error = m_pendingError;
        m_pendingError = nullptr;
        std::rethrow_exception(error);
    }
}

void TmainWindow::setFieldText(QLineEdit* field, const QString& text) {
    field->setText(text);
    rethrowPending();
}

void TmainWindow::connectHandlers() {
    auto onEdit = [this](QLineEdit* e, void (TmainWindow::*handler)()) {
        connect(e, &QLineEdit::textChanged, this,
                [this, handler] { run([&] { (this->*handler)(); }); });
    };
    auto onChoice = [this](QComboBox* list, void (TmainWindow::*handler)()) {
        connect(list, &QComboBox::activated, this,
                [this, handler] { run([&] { (this->*handler)(); }); });
    };

    // Plain change tracking.
    for (QLineEdit* e : {itemIDfield,     weightField,     priceField,        range1Field,
                         range2Field,     ap1field,        ap2field,          burstAmmoField,
                         capacityField,   minDmgField,     maxDmgField,       damageTypeNameField,
                         minSTfield,      reloadAP,        fireSoundIDfield,  DRnormalField,
                         DRfireField,     DRelectricField, DRplasmaField,     DRlaserField,
                         DRempField,      DRexpField,      DTnormalField,     DTfireField,
                         DTelectricField, DTplasmaField,   DTlaserField,      DTempField,
                         DTexpField,      ACfield,         containerCapacity, effectField11,
                         effectField12,   effectField13,   effectField21,     effectField22,
                         effectField23,   effectField31,   effectField32,     effectField33,
                         midTermField,    longTermField,   addictionField,    withdrawField,
                         ammo_capacity,   ACmodField,      DRmodField,        ACdmgMod,
                         DRdmgMod})
        onEdit(e, &TmainWindow::notSaved);
    for (QComboBox* list : {iTypeList, atkMode1List, atkMode2List, looksList, fireFileList,
                            statList1, statList2, statList3, ammoTypeList})
        onChoice(list, &TmainWindow::notSaved);
    connect(descField, &QPlainTextEdit::textChanged, this, [this] { run([this] { notSaved(); }); });

    onEdit(textIDfield, &TmainWindow::textIDfieldChange);
    onEdit(nameField, &TmainWindow::nameFieldChange);
    onEdit(materialIDfield, &TmainWindow::_changeMaterialName);
    onEdit(damageTypeIDfield, &TmainWindow::_changeDmgType);
    onEdit(ammoTypeIDfield, &TmainWindow::_changeAmmoType);
    onEdit(ammoIDfield, &TmainWindow::_changeDefaultAmmoName);
    onEdit(fireArtIDField, &TmainWindow::_changeFireArtName);
    onEdit(dirField, &TmainWindow::dirFieldChange);
    onChoice(groundArtList, &TmainWindow::groundArtListChange);
    onChoice(invenArtList, &TmainWindow::invenArtListChange);
    onChoice(maleLooksList, &TmainWindow::maleLooksListChange);
    onChoice(femaleLooksList, &TmainWindow::femaleLooksListChange);
    connect(addList, &QComboBox::activated, this,
            [this](int index) { run([&] { addListChange(index); }); });

    for (QLineEdit* e : {textIDfield, materialIDfield, damageTypeIDfield, ammoTypeIDfield,
                         ammoIDfield, fireArtIDField})
        e->installEventFilter(this);
    dirField->installEventFilter(this);

    connect(mainPages, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_programChangesPage)
            run([&] { mainPagesChange(index); });
    });
    connect(filterAll, &QCheckBox::toggled, this, [this] { run([this] { filterAllClick(); }); });
    connect(browseButton, &QToolButton::clicked, this,
            [this] { run([this] { browseButtonClick(); }); });
    connect(refreshButton, &QPushButton::clicked, this,
            [this] { run([this] { refreshButtonClick(); }); });
    connect(openButton, &QPushButton::clicked, this,
            [this] { run([this] { openButtonClick(); }); });
    // The user selects an entry by mouse or keyboard, or clicks the one that is already
    // selected. The current entry that the focus alone makes is no choice.
    connect(itemList, &QListWidget::itemSelectionChanged, this, [this] {
        m_listPressPending = false;
        if (!m_programFillsList)
            run([this] { itemListClick(); });
    });
    connect(itemList, &QListWidget::itemPressed, this, [this] {
        if (std::exchange(m_listPressPending, false))
            run([this] { itemListClick(); });
    });
    itemList->viewport()->installEventFilter(this);
    connect(itemList, &QListWidget::itemDoubleClicked, this,
            [this] { run([this] { itemListDblClick(); }); });
    connect(Timer, &QTimer::timeout, this, [this] { run([this] { TimerTimer(); }); });
    connect(closeButton, &QPushButton::clicked, this, [this] { run([this] { _exit(); }); });
    connect(aboutButton, &QPushButton::clicked, this,
            [this] { run([this] { aboutButtonClick(); }); });
    connect(configButton, &QPushButton::clicked, this, [this] { run([this] { _showConfig(); }); });
    connect(saveasButton, &QPushButton::clicked, this, [this] { run([this] { _saveAs(); }); });
    connect(saveButton, &QPushButton::clicked, this,
            [this] { run([this] { saveButtonClick(); }); });
}

// ---------------------------------------------------------------------------
// Window events

void TmainWindow::FormCreate() {
    m_saved = true;
}

void TmainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        if (const QScreen* s = screen())
            move(s->availableGeometry().center() - rect().center());
        run([this] { _mainWindowShow(); });
    }
}

void TmainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TmainWindow::_mainWindowShow() {
    SettingsForm target(*this);
    readAllSettings(m_store, target, m_paths, currentDirectory());
    loadLineBuffer();
    fillCalibreList();
    loadArtList(groundArtList, m_paths.itemsLst, true);
    loadArtList(invenArtList, m_paths.invenLst, true);
    loadArtList(maleLooksList, m_paths.crittersLst, true);
    loadArtList(femaleLooksList, m_paths.crittersLst, true);
    fillStatLists(true);
}

void TmainWindow::FormActivate() {
    if (!m_firstActivation)
        return;
    m_firstActivation = false;
    const QScreen* s = screen();
    if (s && s->geometry().height() <= 600)
        move(x(), 0);
}

void TmainWindow::closeEvent(QCloseEvent* event) {
    if (m_quitting) {
        event->accept();
        return;
    }
    // The title-bar close box acts as the Close button.
    event->ignore();
    run([this] { _exit(); });
}

void TmainWindow::quit() {
    m_quitting = true;
    close();
}

void TmainWindow::_exit() {
    writeFilters();
    if (m_config->askIfSaveCheck->isChecked() && !m_saved) {
        const auto answer = m_dialogs.ask(this, QMessageBox::Warning, QStringLiteral("Warning"),
                                          QString::fromLatin1(kUnsavedOnQuit),
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                          QMessageBox::Yes);
        if (answer == QMessageBox::Yes) {
            saveButtonClick();
            if (!m_saved) // the question about a change on disk was cancelled
                return;
        } else if (answer != QMessageBox::No) {
            return;
        }
    }
    quit();
}

void TmainWindow::_showConfig() {
    writeFilters();
    const int page = mainPages->currentIndex();
    m_config->setPageTag(page);
    const int result = m_config->exec() == QDialog::Accepted ? 1 : 2;
    if (m_quitting)
        return;
    if (result == 2)
        _mainWindowShow();
    setPageByProgram(page);
}

void TmainWindow::aboutButtonClick() {
    m_about->exec();
}

void TmainWindow::keyPressEvent(QKeyEvent* event) {
    QWidget* focus = focusWidget();
    const bool inDescription = focus == descField;
    if (event->key() == Qt::Key_Escape && !inDescription) {
        closeButton->click();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !inDescription) {
        if (auto* button = qobject_cast<QPushButton*>(focus); button && button != openButton) {
            button->click();
            return;
        }
        if (openButton->isVisible() && openButton->isEnabled())
            openButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TmainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const bool up = key == Qt::Key_Up;
            if (watched == textIDfield)
                run([&] { textIDfieldKeyDown(up); });
            else if (watched == materialIDfield)
                run([&] { materialIDfieldKeyDown(up); });
            else if (watched == damageTypeIDfield)
                run([&] { damageTypeIDfieldKeyDown(up); });
            else if (watched == ammoTypeIDfield)
                run([&] { ammoTypeIDfieldKeyDown(up); });
            else if (watched == ammoIDfield)
                run([&] { ammoIDfieldKeyDown(up); });
            else if (watched == fireArtIDField)
                run([&] { fireArtIDFieldKeyDown(up); });
            else
                return QWidget::eventFilter(watched, event);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonPress && watched == itemList->viewport()) {
        m_listPressPending = true; // a press that changes no selection still counts
    } else if (event->type() == QEvent::FocusOut && watched == dirField) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            run([this] { dirFieldExit(); });
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Pages and change tracking

void TmainWindow::notSaved() {
    if (m_tag == 0)
        m_saved = false;
}

void TmainWindow::setPageByProgram(int index) {
    m_programChangesPage = true;
    mainPages->setCurrentIndex(index);
    m_programChangesPage = false;
}

void TmainWindow::mainPagesChange(int index) {
    if (index < 1) {
        m_pageMode = 1;
        return;
    }
    m_pageMode = 2;
    writeItemFolder(m_store, dirField->text().toStdString(), kItemFolderPageValue);
}

void TmainWindow::pageStep() {
    m_programChangesPage = true;
    for (const auto& p : kTypePages)
        mainPages->setTabVisible(p.index, false);
    for (const auto& p : kTypePages) {
        if (m_record.typeName != p.typeName)
            continue;
        mainPages->setTabVisible(p.index, true);
        if (m_pageMode == 2)
            mainPages->setCurrentIndex(p.index);
    }
    m_programChangesPage = false;
}

void TmainWindow::enablingStep() {
    const bool open = !m_openPath.empty();
    saveButton->setEnabled(open);
    saveasButton->setEnabled(open);
    mainPages->setEnabled(open);
}

void TmainWindow::recordDisplay() {
    // The guard comes down however the display ends, so later edits count as edits.
    m_tag = 1;
    struct Lower {
        int& tag;
        ~Lower() { tag = 0; }
    } lower{m_tag};
    ::zantor::recordDisplay(m_record, *m_form);
    m_undo->rebase(); // the program's fill is no step
}

void TmainWindow::openItem(const std::string& path) {
    // Taken first: a change made while the item is read shows as a change at Save.
    FileVersion version = currentVersion(path, kLargestItemFile + 1);
    readItem(path, m_record); // all or nothing: a failure changes nothing
    m_openPath = path;
    m_openVersion = std::move(version);
    commonTab->setEnabled(true);
    recordDisplay();
    m_saved = true;
    m_undo->clear();
    m_watch->watch(QString::fromStdString(path));
}

bool TmainWindow::openItemFile(const std::string& path) {
    bool opened = false;
    run([&] {
        openItem(path);
        opened = true;
    });
    return opened;
}

// ---------------------------------------------------------------------------
// Name and description

namespace {

// A description as the multi-line field holds it: one line feed between lines.
QString descriptionText(const std::string& bytes) {
    return fromGame(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

void TmainWindow::setDescription(const QString& text) {
    // Setting the same text would still count as a change.
    if (descField->toPlainText() != text)
        descField->setPlainText(text);
    rethrowPending();
}

void TmainWindow::showNameAndDescription() {
    const std::string id = textIDfield->text().toStdString();
    setFieldText(nameField, fromGame(lookupName(m_paths.proItemMsg, id)));
    setDescription(descriptionText(lookupDescription(m_paths.proItemMsg, id)));
    m_rememberedName = toGame(nameField->text());
}

void TmainWindow::textIDfieldChange() {
    const std::string id = textIDfield->text().toStdString();
    setFieldText(nameField, fromGame(lookupName(m_paths.proItemMsg, id)));
    setDescription(descriptionText(lookupDescription(m_paths.proItemMsg, id)));
}

void TmainWindow::textIDfieldKeyDown(bool up) {
    setFieldText(textIDfield,
                 QString::fromStdString(stepTextId(textIDfield->text().toStdString(), up)));
}

void TmainWindow::nameFieldChange() {
    // The field's text is Unicode already: it goes into the caption as it is.
    setWindowTitle(
        QString::fromStdString(windowCaption(m_openPath, nameField->text().toStdString())));
    notSaved();
}

void TmainWindow::loadLineBuffer() {
    m_lineBuffer.load(m_paths.proItemMsg);
}

// ---------------------------------------------------------------------------
// Save and Save As

void TmainWindow::save(AttackModeRule rule, const std::string& path, bool inPlace) {
    // Refused before anything is written, rather than stored with question marks.
    ItemTextsWrite texts;
    texts.proItemMsg = m_paths.proItemMsg;
    texts.textId = textIDfield->text().toStdString();
    texts.name = encodeWindows1252Exactly(nameField->text().toStdString(), "name");
    texts.description =
        encodeWindows1252Exactly(descField->toPlainText().toStdString(), "description");
    texts.remembered = m_rememberedName;
    ::zantor::recordUpdate(m_record, *m_form, rule);
    // Both files or neither: pro_item.msg and the item are committed together.
    saveItemWithTexts(path, m_record, inPlace ? ItemSave::InPlace : ItemSave::As, &texts,
                      m_lineBuffer);
    if (inPlace)
        rememberSavedVersion();
    m_rememberedName = texts.name;
    m_saved = true;
}

void TmainWindow::saveButtonClick() {
    m_undo->commit();
    if (diskAllowsSave())
        save(AttackModeRule::Save, m_openPath, true);
}

void TmainWindow::_saveAs() {
    const QString path = m_dialogs.chooseSaveFile(
        this, dirField->text(), QString::fromStdString(m_openPath),
        {QStringLiteral("Item prototype files (*.pro)"), QStringLiteral("All files (*.*)")});
    if (path.isEmpty())
        return;
    // The dialog asks about the name as typed; a file that differs only in letter case
    // would be replaced too, so it is named and asked about here.
    const std::string twin = caseTwinOf(path.toStdString());
    if (!twin.empty() &&
        m_dialogs.ask(this, QMessageBox::Warning, QStringLiteral("Warning"),
                      QString::fromUtf8(twin.c_str()) +
                          QStringLiteral(" already exists and would be replaced. Replace it?"),
                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    save(AttackModeRule::SaveAs, path.toStdString(), false);
}

// ---------------------------------------------------------------------------
// Names beside numbers

void TmainWindow::_changeMaterialName() {
    setFieldText(materialNameField,
                 fromGame(materialName(m_paths.protoMsg, materialIDfield->text().toStdString())));
    notSaved();
}

void TmainWindow::_changeDmgType() {
    setFieldText(
        damageTypeNameField,
        fromGame(damageTypeName(m_paths.protoMsg, damageTypeIDfield->text().toStdString())));
    notSaved();
}

void TmainWindow::_changeAmmoType() {
    setFieldText(ammoTypeNameFIeld,
                 fromGame(ammoTypeName(m_paths.protoMsg, ammoTypeIDfield->text().toStdString())));
    notSaved();
}

void TmainWindow::_changeDefaultAmmoName() {
    const std::string text = ammoIDfield->text().toStdString();
    if (isDefaultAmmoSentinel(text))
        setFieldText(ammoIDfield, QStringLiteral("0"));
    else
        setFieldText(ammoNameField, fromGame(defaultAmmoName(m_paths.proItemMsg, text)));
    notSaved();
}

void TmainWindow::_changeFireArtName() {
    setFieldText(fireArtNameField, fromGame(projectileName(m_paths.proCritMsg, m_paths.proMiscMsg,
                                                           fireFileList->currentIndex(),
                                                           fireArtIDField->text().toStdString())));
    notSaved();
}

void TmainWindow::stepField(QLineEdit* field, bool up, bool material) {
    const std::string text = field->text().toStdString();
    setFieldText(field,
                 QString::fromStdString(material ? stepMaterial(text, up) : stepNumber(text, up)));
}

void TmainWindow::materialIDfieldKeyDown(bool up) {
    stepField(materialIDfield, up, true);
}
void TmainWindow::damageTypeIDfieldKeyDown(bool up) {
    stepField(damageTypeIDfield, up, false);
}
void TmainWindow::ammoTypeIDfieldKeyDown(bool up) {
    stepField(ammoTypeIDfield, up, false);
}
void TmainWindow::ammoIDfieldKeyDown(bool up) {
    stepField(ammoIDfield, up, false);
}
void TmainWindow::fireArtIDFieldKeyDown(bool up) {
    stepField(fireArtIDField, up, false);
}

void TmainWindow::addListChange(int index) {
    m_saved = false;
    m_record.addictionCode = addictionCodeAt(index);
}

void TmainWindow::refill(QComboBox* list, const std::vector<std::string>& entries,
                         bool keepSelection) {
    m_selectionKeeper = keepSelection ? list->currentIndex() : -1;
    list->clear();
    for (const auto& entry : entries)
        list->addItem(fromGame(entry));
    // A position the list no longer has leaves it without a selection.
    list->setCurrentIndex(m_selectionKeeper < list->count() ? m_selectionKeeper : -1);
}

// Each table is read before its list is emptied, so one that cannot be read leaves the
// list as it was.
void TmainWindow::fillCalibreList() {
    refill(ammoTypeList, calibreEntries(m_paths.protoMsg), true);
}

void TmainWindow::fillStatLists(bool keepSelection) {
    for (QComboBox* list : {statList1, statList2, statList3})
        refill(list, statEntries(m_paths.statMsg, list == statList1), keepSelection);
}

// ---------------------------------------------------------------------------
// Art previews and looks

void TmainWindow::loadArtList(QComboBox* list, const std::string& path, bool keepSelection) {
    refill(list, readListFile(path), keepSelection);
}

namespace {

// The selected entry as the list file holds it (game text); empty without a selection.
std::string selectedEntry(const QComboBox* list) {
    return list->currentIndex() < 0 ? std::string() : toGame(list->currentText());
}

} // namespace

void TmainWindow::groundPreview() {
    groundPic->load(
        QString::fromStdString(previewFile(m_paths.itemsLstFolder, selectedEntry(groundArtList))));
}

void TmainWindow::inventoryPreview() {
    invPic->load(
        QString::fromStdString(previewFile(m_paths.invenLstFolder, selectedEntry(invenArtList))));
}

void TmainWindow::groundArtListChange() {
    notSaved();
    groundPreview();
}

void TmainWindow::invenArtListChange() {
    inventoryPreview();
    notSaved();
}

void TmainWindow::showLooks(QComboBox* list, QLineEdit* desc) {
    notSaved();
    const std::string entry = selectedEntry(list);
    setFieldText(desc, fromGame(looksDescription(entry)));
}

void TmainWindow::maleLooksListChange() {
    showLooks(maleLooksList, maleLooksDesc);
}
void TmainWindow::femaleLooksListChange() {
    showLooks(femaleLooksList, femaleLooksDesc);
}

// ---------------------------------------------------------------------------
// Settings moments

QCheckBox* TmainWindow::filterBox(Filter filter) const {
    switch (filter) {
    case Filter::Weapon:
        return weaponFilter;
    case Filter::Armor:
        return armorFilter;
    case Filter::Ammo:
        return ammoFilter;
    case Filter::Drug:
        return drugFilter;
    case Filter::Container:
        return containerFilter;
    case Filter::Key:
        return keyFilter;
    case Filter::Misc:
        return miscFilter;
    case Filter::All:
        break;
    }
    return filterAll;
}

void TmainWindow::writeFilters() {
    FilterStates states;
    for (const auto& v : kFilterValues)
        states[v.filter] = filterBox(v.filter)->isChecked();
    zantor::writeFilters(m_store, states);
}

// ---------------------------------------------------------------------------
// Item browser

void TmainWindow::dirFieldChange() {
    m_rescanMark = 1;
    writeItemFolder(m_store, dirField->text().toStdString(), kItemFolderValue);
}

void TmainWindow::dirFieldExit() {
    startScan();
}

void TmainWindow::refreshButtonClick() {
    m_rescanMark = 1;
    startScan();
}

void TmainWindow::filterAllClick() {
    const bool all = filterAll->isChecked();
    for (QCheckBox* box : {weaponFilter, ammoFilter, armorFilter, drugFilter, miscFilter, keyFilter,
                           containerFilter})
        box->setEnabled(!all);
}

void TmainWindow::browseButtonClick() {
    const QString folder =
        m_dialogs.chooseFolder(this, dirField->text(), QString::fromLatin1(kFolderPrompt));
    if (!folder.isEmpty())
        setFieldText(dirField, folder);
}

void TmainWindow::startScan() {
    if (m_rescanMark != 1)
        return;
    m_programFillsList = true;
    itemList->clear();
    m_programFillsList = false;
    progBar->setRange(0, 1); // empty, not a busy animation, until the files are counted
    progBar->setValue(0);
    refreshButton->hide();
    openButton->hide();
    itemCount->hide();
    progBar->show();
    loadingLabel->show();
    Timer->start();
}

void TmainWindow::TimerTimer() {
    Timer->stop();
    ScanRequest request;
    request.folder = dirField->text().toStdString();
    // The type filters by type byte: armor, container, drug, weapon, ammo, misc, key.
    const QCheckBox* byType[] = {armorFilter, containerFilter, drugFilter, weaponFilter,
                                 ammoFilter,  miscFilter,      keyFilter};
    for (std::size_t i = 0; i < request.types.size(); ++i)
        request.types[i] = byType[i]->isChecked();
    request.all = filterAll->isChecked();
    request.withNames = m_config->fileNamesOnly->isChecked();
    request.proItemMsg = m_paths.proItemMsg;
    // The scan runs to its end without taking input; the bar repaints as it goes.
    const ScanResult result = scanFolder(request, [this](std::size_t done, std::size_t total) {
        if (done == 0)
            progBar->setMaximum(std::max(static_cast<int>(total), 1));
        progBar->setValue(static_cast<int>(done));
        progBar->repaint();
    });
    m_programFillsList = true;
    for (const auto& entry : result.entries) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.text));
        // The name's bytes as the folder holds them, whatever their encoding.
        item->setData(Qt::UserRole, QByteArray::fromStdString(entry.fileName));
        itemList->addItem(item);
    }
    m_programFillsList = false;
    progBar->hide();
    loadingLabel->hide();
    itemCount->setText(QString::number(itemList->count()) + QStringLiteral(" items in total."));
    itemCount->show();
    refreshButton->show();
    openButton->show();
    m_rescanMark = 0;
    if (!result.error.empty())
        throw Error(result.error);
}

QListWidgetItem* TmainWindow::selectedListEntry() const {
    const QList<QListWidgetItem*> selected = itemList->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void TmainWindow::itemListClick() {
    if (m_config->quickOpen->isChecked()) {
        openButtonClick();
        openButton->setEnabled(false);
    } else if (selectedListEntry()) {
        openButton->setEnabled(true);
    }
}

void TmainWindow::itemListDblClick() {
    openButtonClick();
}

void TmainWindow::openButtonClick() {
    const QListWidgetItem* entry = selectedListEntry();
    if (!entry)
        return;
    if (m_config->saveOnOpen->isChecked() && !m_saved) {
        const auto answer = m_dialogs.ask(this, QMessageBox::Warning, QStringLiteral("Warning"),
                                          QString::fromLatin1(kUnsavedOnOpen),
                                          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer == QMessageBox::Yes) {
            saveButtonClick();
            if (!m_saved) // the question about a change on disk was cancelled
                return;
        }
    }
    // The entry carries its file's name, whatever the entry's text ends with.
    openItem(joinPath(dirField->text().toStdString(),
                      entry->data(Qt::UserRole).toByteArray().toStdString()));
}

} // namespace zantor
