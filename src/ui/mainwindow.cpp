// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow.h"

#include "common/files.h"
#include "record/fields.h"
#include "record/item_file.h"
#include "session/reference_names.h"
#include "settings/settings_store.h"
#include "texts/art.h"
#include "texts/encoding.h"
#include "texts/item_texts.h"
#include "texts/references.h"
#include "ui/aboutwindow.h"
#include "ui/configwindow.h"
#include "ui/dialogs.h"
#include "ui/disk_watch.h"
#include "ui/form_pages.h"
#include "ui/form_undo.h"
#include "ui/game_text.h"
#include "ui/item_browser.h"
#include "ui/look.h"
#include "ui/picture_pane.h"
#include "ui/table_dialogs.h"
#include "ui/window_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>
#include <algorithm>
#include <utility>

namespace zantor {

namespace {

constexpr int kCommonPageIndex = 0;
constexpr std::string_view kAddictionList = "addList";
constexpr int kPagesHeight = 341;

const char* const kUnsavedOnQuit = "File has not saved! Do you want to save before quit?";
const char* const kUnsavedOnOpen =
    "File has not saved! Do you want to save before opening the next one?";

} // namespace

// What the configuration window asks of this one.
class TmainWindow::ConfigLink final : public ConfigHost {
public:
    explicit ConfigLink(TmainWindow& window) : m_w(window) {}
    DerivedPaths derivedPaths() const override { return m_w.m_session.paths(); }
    void setDerivedPaths(const DerivedPaths& paths) override { m_w.m_session.setPaths(paths); }
    void reloadList(List list) override {
        switch (list) {
        case List::GroundArt:
            m_w.loadArtList(m_w.comboBox("groundArtList"), false);
            break;
        case List::InventoryArt:
            m_w.loadArtList(m_w.comboBox("invenArtList"), false);
            break;
        case List::MaleLooks:
            m_w.loadArtList(m_w.comboBox("maleLooksList"), false);
            break;
        case List::FemaleLooks:
            m_w.loadArtList(m_w.comboBox("femaleLooksList"), false);
            break;
        case List::Statistics:
            m_w.fillStatLists(false);
            break;
        }
    }
    void reloadTexts() override { m_w.loadLineBuffer(); }
    void showOpenItemAgain() override {
        // The names, list choices and previews come from the new files; the display
        // runs under the loading guard and leaves the saved flag as it was.
        if (m_w.m_session.isOpen())
            m_w.recordDisplay();
    }
    void rethrowKeptError() override { m_w.m_runner.rethrowPending(); }
    void forgetKeptError() override { m_w.m_runner.forgetPending(); }
    void quit() override { m_w.quit(); }

private:
    TmainWindow& m_w;
};

// The window's controls as the reading of the settings fills them.
class TmainWindow::SettingsForm final : public SettingsTarget {
public:
    explicit SettingsForm(TmainWindow& window) : m_w(window) {}
    void setFilter(Filter filter, bool on) override {
        m_w.m_browser->setFilter(filter, on);
        m_w.rethrowPending();
    }
    void setPreference(Preference preference, bool on) override {
        m_w.m_config->preferenceBox(preference)->setChecked(on);
    }
    void setFolder(Folder folder, const std::string& text) override {
        m_w.m_config->folderField(folder)->setText(QString::fromStdString(text));
    }
    void setItemFolder(const std::string& text) override {
        m_w.m_browser->setFolder(QString::fromStdString(text));
        m_w.rethrowPending();
    }

private:
    TmainWindow& m_w;
};

TmainWindow::TmainWindow(SettingsStore& store, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_store(store), m_dialogs(dialogs), m_runner(dialogs, this),
      m_configLink(std::make_unique<ConfigLink>(*this)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Zantor | v3.5"));
    applyLook(this);

    mainPages = new QTabWidget(this);
    mainPages->setObjectName(QStringLiteral("mainPages"));
    addFormPages(mainPages);
    buildBrowserAndButtons();
    buildCheckHooks();
    for (int i = 1; i < mainPages->count(); ++i)
        mainPages->setTabVisible(i, false);
    mainPages->widget(kCommonPageIndex)->setEnabled(false);
    // Laid out for Tahoma; where a stand-in font needs more room, the pages and the
    // window grow just enough, as the configuration window does.
    mainPages->setFixedHeight(std::max(kPagesHeight, mainPages->minimumSizeHint().height()));
    fixClientSize(this, QSize(647, 545));

    for (QWidget* w : findChildren<QWidget*>())
        if (!w->objectName().isEmpty())
            m_controls.insert(w->objectName(), w);
    m_form = std::make_unique<WindowForm>(
        m_controls, [this](QLineEdit* field, const QString& text) { setFieldText(field, text); },
        [this](Refresh what) { refreshAfterField(what); });
    connectHandlers();
    addFolderTableHooks();
    setUpSafeEditing();
    FormCreate();
}

TmainWindow::~TmainWindow() = default;

void TmainWindow::attachConfigWindow(TconfigWindow* config) {
    m_config = config;
}

TaboutWindow& TmainWindow::aboutWindow() {
    if (!m_about)
        m_about = new TaboutWindow(m_dialogs, this);
    return *m_about;
}

ConfigHost& TmainWindow::configHost() {
    return *m_configLink;
}

void TmainWindow::run(const std::function<void()>& handler) {
    m_runner.run(handler);
}

void TmainWindow::rethrowPending() {
    m_runner.rethrowPending();
}

void TmainWindow::refreshAfterField(Refresh what) {
    switch (what) {
    case Refresh::None:
        break;
    case Refresh::NameAndDescription:
        showNameAndDescription();
        break;
    case Refresh::GroundPreview:
        groundPreview();
        break;
    case Refresh::MaterialName:
        _changeMaterialName();
        break;
    case Refresh::InventoryPreview:
        inventoryPreview();
        break;
    case Refresh::PageStep:
        pageStep();
        break;
    case Refresh::DamageTypeName:
        _changeDmgType();
        break;
    case Refresh::ProjectileName:
        _changeFireArtName();
        break;
    case Refresh::AmmoTypeName:
        _changeAmmoType();
        break;
    case Refresh::DefaultAmmoName:
        _changeDefaultAmmoName();
        break;
    case Refresh::MaleLooks:
        maleLooksListChange();
        break;
    case Refresh::FemaleLooks:
        femaleLooksListChange();
        break;
    case Refresh::Enabling:
        enablingStep();
        break;
    }
}

QLineEdit* TmainWindow::edit(const char* name) const {
    auto* e = qobject_cast<QLineEdit*>(m_controls.value(QLatin1String(name)));
    Q_ASSERT(e);
    return e;
}

QComboBox* TmainWindow::comboBox(const char* name) const {
    auto* l = qobject_cast<QComboBox*>(m_controls.value(QLatin1String(name)));
    Q_ASSERT(l);
    return l;
}

QPlainTextEdit* TmainWindow::description() const {
    return qobject_cast<QPlainTextEdit*>(m_controls.value(QStringLiteral("descField")));
}

void TmainWindow::setFieldText(QLineEdit* field, const QString& text) {
    field->setText(text);
    rethrowPending();
}

// What a control of the form does when the user changes it, by objectName; the numbers
// beside a name also step with the Up and Down keys.
const TmainWindow::FormHandler TmainWindow::kFormHandlers[] = {
    {"textIDfield", &TmainWindow::textIDfieldChange, &TmainWindow::textIDfieldKeyDown},
    {"nameField", &TmainWindow::nameFieldChange, nullptr},
    {"materialIDfield", &TmainWindow::_changeMaterialName, &TmainWindow::materialIDfieldKeyDown},
    {"damageTypeIDfield", &TmainWindow::_changeDmgType, &TmainWindow::damageTypeIDfieldKeyDown},
    {"ammoTypeIDfield", &TmainWindow::_changeAmmoType, &TmainWindow::ammoTypeIDfieldKeyDown},
    {"ammoIDfield", &TmainWindow::_changeDefaultAmmoName, &TmainWindow::ammoIDfieldKeyDown},
    {"fireArtIDField", &TmainWindow::_changeFireArtName, &TmainWindow::fireArtIDFieldKeyDown},
    {"groundArtList", &TmainWindow::groundArtListChange, nullptr},
    {"invenArtList", &TmainWindow::invenArtListChange, nullptr},
    {"maleLooksList", &TmainWindow::maleLooksListChange, nullptr},
    {"femaleLooksList", &TmainWindow::femaleLooksListChange, nullptr},
};

const TmainWindow::FormHandler* TmainWindow::formHandler(std::string_view control) {
    for (const FormHandler& h : kFormHandlers)
        if (control == h.control)
            return &h;
    return nullptr;
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

    for (const FormHandler& h : kFormHandlers) {
        QWidget* control = m_controls.value(QString::fromLatin1(h.control));
        if (auto* e = qobject_cast<QLineEdit*>(control)) {
            onEdit(e, h.change);
            if (h.step)
                e->installEventFilter(this);
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            onChoice(list, h.change);
        }
    }
    // The addiction list's handler takes the chosen position.
    connect(comboBox(kAddictionList.data()), &QComboBox::activated, this,
            [this](int index) { run([&] { addListChange(index); }); });
    // Every other field of the tables only notes that the item changed; so do the damage
    // type's name box and the description.
    for (const Field* field : allFields()) {
        if (field->control == kAddictionList || formHandler(field->control))
            continue;
        QWidget* control = m_controls.value(
            QString::fromUtf8(field->control.data(), qsizetype(field->control.size())));
        if (auto* e = qobject_cast<QLineEdit*>(control))
            onEdit(e, &TmainWindow::notSaved);
        else if (auto* list = qobject_cast<QComboBox*>(control))
            onChoice(list, &TmainWindow::notSaved);
    }
    onEdit(edit("damageTypeNameField"), &TmainWindow::notSaved);
    connect(description(), &QPlainTextEdit::textChanged, this,
            [this] { run([this] { notSaved(); }); });

    connect(mainPages, &QTabWidget::currentChanged, this,
            [this](int index) { run([&] { mainPagesChange(index); }); });
    connect(m_browser, &ItemBrowser::folderEdited, this, [this](const QString& folder) {
        run([&] { writeItemFolder(m_store, folder.toStdString(), kItemFolderValue); });
    });
    connect(m_browser, &ItemBrowser::openRequested, this,
            [this](const std::string& path) { run([&] { openChosenItem(path); }); });
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
    m_session.markSaved();
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
    DerivedPaths paths = m_session.paths();
    // The paths formed before a failing value stay formed.
    struct Keep {
        EditSession& session;
        DerivedPaths& paths;
        ~Keep() { session.setPaths(paths); }
    };
    {
        const Keep keep{m_session, paths};
        readAllSettings(m_store, target, paths, currentDirectory());
    }
    loadLineBuffer();
    fillCalibreList();
    for (QComboBox* list : {comboBox("groundArtList"), comboBox("invenArtList"),
                            comboBox("maleLooksList"), comboBox("femaleLooksList")})
        loadArtList(list, true);
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
    if (m_config->askIfSaveCheck->isChecked() && !m_session.saved()) {
        const auto answer = m_dialogs.ask(this, QMessageBox::Warning, QStringLiteral("Warning"),
                                          QString::fromLatin1(kUnsavedOnQuit),
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                          QMessageBox::Yes);
        if (answer == QMessageBox::Yes) {
            saveButtonClick();
            if (!m_session.saved()) // the question about a change on disk was cancelled
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
    const bool done = m_config->exec() == QDialog::Accepted;
    if (m_quitting)
        return;
    if (!done) // Cancel: the stored values come back
        _mainWindowShow();
    setPageByProgram(page);
}

void TmainWindow::aboutButtonClick() {
    aboutWindow().exec();
}

void TmainWindow::keyPressEvent(QKeyEvent* event) {
    QWidget* focus = focusWidget();
    const bool inDescription = focus == description();
    if (event->key() == Qt::Key_Escape && !inDescription) {
        closeButton->click();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !inDescription) {
        QPushButton* open = m_browser->openButton();
        if (auto* button = qobject_cast<QPushButton*>(focus); button && button != open) {
            button->click();
            return;
        }
        if (open->isVisible() && open->isEnabled())
            open->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TmainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const bool up = key == Qt::Key_Up;
            const FormHandler* h = formHandler(watched->objectName().toStdString());
            if (!h || !h->step || watched != m_controls.value(watched->objectName()))
                return QWidget::eventFilter(watched, event);
            run([&] { (this->*h->step)(up); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Pages and change tracking

void TmainWindow::notSaved() {
    if (!m_loading)
        m_session.markUnsaved();
}

void TmainWindow::setPageByProgram(int index) {
    // A page the program shows is not the user's choice.
    const QSignalBlocker quiet(mainPages);
    mainPages->setCurrentIndex(index);
}

void TmainWindow::mainPagesChange(int index) {
    if (index < 1) {
        m_pageMode = PageMode::CommonPage;
        return;
    }
    m_pageMode = PageMode::TypePage;
    writeItemFolder(m_store, m_browser->folder().toStdString(), kItemFolderPageValue);
}

void TmainWindow::pageStep() {
    const QSignalBlocker quiet(mainPages);
    // Every type page is hidden first, then the one of the item's section is shown.
    for (int i = 1; i < mainPages->count(); ++i)
        mainPages->setTabVisible(i, false);
    for (int i = 1; i < mainPages->count(); ++i) {
        if (formPageAt(mainPages, i)->section() != m_session.record().section())
            continue;
        mainPages->setTabVisible(i, true);
        if (m_pageMode == PageMode::TypePage)
            mainPages->setCurrentIndex(i);
    }
}

void TmainWindow::enablingStep() {
    const bool open = m_session.isOpen();
    saveButton->setEnabled(open);
    saveasButton->setEnabled(open);
    mainPages->setEnabled(open);
}

void TmainWindow::recordDisplay() {
    // The guard comes down however the display ends, so later edits count as edits.
    m_loading = true;
    struct Lower {
        bool& loading;
        ~Lower() { loading = false; }
    } lower{m_loading};
    m_session.display(*m_form);
    m_undo->rebase(); // the program's fill is no step
}

void TmainWindow::openItem(const std::string& path) {
    m_session.open(path); // all or nothing: a failure changes nothing
    mainPages->widget(kCommonPageIndex)->setEnabled(true);
    recordDisplay();
    m_session.markSaved();
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
    if (description()->toPlainText() != text)
        description()->setPlainText(text);
    rethrowPending();
}

void TmainWindow::showReferences(Refresh what) {
    lookUpReferences(what, *m_form, m_session.paths(), [this](const ShownReference& r) {
        QWidget* control = m_form->widget(r.control);
        if (auto* picture = qobject_cast<PicturePane*>(control))
            picture->load(QString::fromStdString(r.text));
        else if (auto* edit = qobject_cast<QLineEdit*>(control))
            setFieldText(edit, fromGame(r.text));
        else if (control == description())
            setDescription(descriptionText(r.text));
    });
}

void TmainWindow::showNameAndDescription() {
    showReferences(Refresh::NameAndDescription);
    m_session.rememberName(toGame(edit("nameField")->text()));
}

void TmainWindow::textIDfieldChange() {
    showReferences(Refresh::NameAndDescription);
}

void TmainWindow::textIDfieldKeyDown(bool up) {
    setFieldText(edit("textIDfield"),
                 QString::fromStdString(stepTextId(edit("textIDfield")->text().toStdString(), up)));
}

void TmainWindow::nameFieldChange() {
    // The field's text is Unicode already: it goes into the caption as it is.
    setWindowTitle(QString::fromStdString(
        windowCaption(m_session.openPath(), edit("nameField")->text().toStdString())));
    notSaved();
}

void TmainWindow::loadLineBuffer() {
    m_session.loadTexts();
}

// ---------------------------------------------------------------------------
// Save and Save As

void TmainWindow::save(SaveKind kind, const std::string& path) {
    const ItemTextsEdit texts{edit("textIDfield")->text().toStdString(),
                              edit("nameField")->text().toStdString(),
                              description()->toPlainText().toStdString()};
    m_session.save(kind, *m_form, &texts, path);
}

void TmainWindow::saveButtonClick() {
    m_undo->commit();
    if (!diskAllowsSave())
        return;
    save(SaveKind::Save);
    m_watch->watch(QString::fromStdString(m_session.openPath()));
}

void TmainWindow::_saveAs() {
    const QString path = m_dialogs.chooseSaveFile(
        this, m_browser->folder(), QString::fromStdString(m_session.openPath()),
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
    save(SaveKind::SaveAs, path.toStdString());
}

// ---------------------------------------------------------------------------
// Names beside numbers

void TmainWindow::_changeMaterialName() {
    showReferences(Refresh::MaterialName);
    notSaved();
}

void TmainWindow::_changeDmgType() {
    showReferences(Refresh::DamageTypeName);
    notSaved();
}

void TmainWindow::_changeAmmoType() {
    showReferences(Refresh::AmmoTypeName);
    notSaved();
}

void TmainWindow::_changeDefaultAmmoName() {
    // The marker turns into "0"; that change shows the name.
    if (const auto shown = markerCorrection(Refresh::DefaultAmmoName, *m_form))
        setFieldText(edit("ammoIDfield"), QString::fromStdString(*shown));
    else
        showReferences(Refresh::DefaultAmmoName);
    notSaved();
}

void TmainWindow::_changeFireArtName() {
    showReferences(Refresh::ProjectileName);
    notSaved();
}

void TmainWindow::stepField(QLineEdit* field, bool up, bool material) {
    const std::string text = field->text().toStdString();
    setFieldText(field,
                 QString::fromStdString(material ? stepMaterial(text, up) : stepNumber(text, up)));
}

void TmainWindow::materialIDfieldKeyDown(bool up) {
    stepField(edit("materialIDfield"), up, true);
}
void TmainWindow::damageTypeIDfieldKeyDown(bool up) {
    stepField(edit("damageTypeIDfield"), up, false);
}
void TmainWindow::ammoTypeIDfieldKeyDown(bool up) {
    stepField(edit("ammoTypeIDfield"), up, false);
}
void TmainWindow::ammoIDfieldKeyDown(bool up) {
    stepField(edit("ammoIDfield"), up, false);
}
void TmainWindow::fireArtIDFieldKeyDown(bool up) {
    stepField(edit("fireArtIDField"), up, false);
}

void TmainWindow::addListChange(int index) {
    m_session.markUnsaved();
    m_session.setAddictionCode(addictionCodeAt(index));
}

void TmainWindow::refill(QComboBox* list, const std::vector<std::string>& entries,
                         bool keepSelection) {
    m_selectionKeeper = keepSelection ? list->currentIndex() : -1;
    list->clear();
    // In one insertion: the list (and its popup, once built) takes in one change, not one
    // per entry.
    QStringList texts;
    texts.reserve(qsizetype(entries.size()));
    for (const auto& entry : entries)
        texts.append(fromGame(entry));
    list->addItems(texts);
    // A position the list no longer has leaves it without a selection.
    list->setCurrentIndex(m_selectionKeeper < list->count() ? m_selectionKeeper : -1);
}

// Each table is read before its list is emptied, so one that cannot be read leaves the
// list as it was.
void TmainWindow::fillCalibreList() {
    refill(comboBox("ammoTypeList"), calibreEntries(m_session.paths().protoMsg), true);
}

void TmainWindow::fillStatLists(bool keepSelection) {
    for (QComboBox* list : {comboBox("statList1"), comboBox("statList2"), comboBox("statList3")})
        refill(list, statEntries(m_session.paths().statMsg, list == comboBox("statList1")),
               keepSelection);
}

// ---------------------------------------------------------------------------
// Art previews and looks

void TmainWindow::loadArtList(QComboBox* list, bool keepSelection) {
    const std::string control = list->objectName().toStdString();
    refill(list, readListFile(*artListFile(control, m_session.paths())), keepSelection);
}

void TmainWindow::groundPreview() {
    showReferences(Refresh::GroundPreview);
}

void TmainWindow::inventoryPreview() {
    showReferences(Refresh::InventoryPreview);
}

void TmainWindow::groundArtListChange() {
    notSaved();
    groundPreview();
}

void TmainWindow::invenArtListChange() {
    inventoryPreview();
    notSaved();
}

void TmainWindow::maleLooksListChange() {
    notSaved();
    showReferences(Refresh::MaleLooks);
}
void TmainWindow::femaleLooksListChange() {
    notSaved();
    showReferences(Refresh::FemaleLooks);
}

// ---------------------------------------------------------------------------
// Settings moments

void TmainWindow::writeFilters() {
    FilterStates states;
    for (const auto& v : kFilterValues)
        states[v.filter] = m_browser->filter(v.filter);
    zantor::writeFilters(m_store, states);
}

// ---------------------------------------------------------------------------
// Item browser

bool TmainWindow::askToSaveBeforeOpening() {
    if (m_config->saveOnOpen->isChecked() && !m_session.saved()) {
        const auto answer = m_dialogs.ask(this, QMessageBox::Warning, QStringLiteral("Warning"),
                                          QString::fromLatin1(kUnsavedOnOpen),
                                          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer == QMessageBox::Yes) {
            saveButtonClick();
            if (!m_session.saved()) // the question about a change on disk was cancelled
                return false;
        }
    }
    return true;
}

bool TmainWindow::rescanNeeded() const {
    return m_browser->rescanNeeded();
}

void TmainWindow::openChosenItem(const std::string& path) {
    if (!askToSaveBeforeOpening())
        return;
    openItem(path);
}

} // namespace zantor
