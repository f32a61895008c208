// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/item_browser.h"

#include "common/error.h"
#include "common/files.h"
#include "ui/action_runner.h"
#include "ui/dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace zantor {

namespace {

// The progress bar of a scan is redrawn at most this often (milliseconds).
constexpr qint64 kProgressRedrawMs = 40;

} // namespace

ItemBrowser::ItemBrowser(ActionRunner& runner, UserDialogs& dialogs, Needs needs, QWidget* parent)
    : QWidget(parent), m_runner(runner), m_dialogs(dialogs), m_needs(std::move(needs)) {
    build();
    connectHandlers();
}

ItemBrowser::~ItemBrowser() = default;

void ItemBrowser::build() {
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(QStringLiteral("dirField"));
    m_browse = new QToolButton(this);
    m_browse->setObjectName(QStringLiteral("browseButton"));
    m_browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    m_browse->setAutoRaise(true);
    m_browse->setToolTip(QStringLiteral("Choose the folder of item files"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("itemList"));
    m_list->setAccessibleName(QStringLiteral("Item files"));
    // Every row is one line of text: a long list is laid out without measuring each row.
    m_list->setUniformItemSizes(true);

    m_filters = new QGroupBox(QStringLiteral("[ Filters ]"), this);
    m_filters->setObjectName(QStringLiteral("filterGroup"));
    auto makeFilter = [this](const char* name, const char* caption) {
        auto* box = new QCheckBox(QString::fromLatin1(caption), m_filters);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(true);
        return box;
    };
    m_weapon = makeFilter("weaponFilter", "Weapons");
    m_armor = makeFilter("armorFilter", "Armor");
    m_ammo = makeFilter("ammoFilter", "Ammo");
    m_drug = makeFilter("drugFilter", "Drugs");
    m_container = makeFilter("containerFilter", "Containers");
    m_key = makeFilter("keyFilter", "Keys");
    m_misc = makeFilter("miscFilter", "Misc.");
    m_all = makeFilter("filterAll", "All");
    m_all->setChecked(false);
    QFont bold = m_all->font();
    bold.setBold(true);
    m_all->setFont(bold);
    auto* fg = new QGridLayout(m_filters);
    fg->setContentsMargins(6, 2, 6, 2);
    fg->setVerticalSpacing(0);
    QCheckBox* const left[] = {m_weapon, m_armor, m_container, m_misc};
    QCheckBox* const right[] = {m_ammo, m_drug, m_key, m_all};
    for (int i = 0; i < 4; ++i) {
        fg->addWidget(left[i], i, 0);
        fg->addWidget(right[i], i, 1);
    }

    m_count = new QLabel(QStringLiteral("0 items in total"), this);
    m_count->setObjectName(QStringLiteral("itemCount"));
    m_loading = new QLabel(QStringLiteral("Reading item files in directory..."), this);
    m_loading->setObjectName(QStringLiteral("loadingLabel"));
    m_loading->hide();
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progBar"));
    // A range of 0 to 0 would draw a busy animation; 0 of 1 is an empty bar.
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedHeight(12);
    m_progress->hide();
    m_refresh = new QPushButton(style()->standardIcon(QStyle::SP_BrowserReload),
                                QStringLiteral("List files"), this);
    m_refresh->setObjectName(QStringLiteral("refreshButton"));
    m_open = new QPushButton(style()->standardIcon(QStyle::SP_DialogOpenButton),
                             QStringLiteral("Open"), this);
    m_open->setObjectName(QStringLiteral("openButton"));
    m_open->setEnabled(false);
    for (QPushButton* b : {m_refresh, m_open}) {
        b->setAutoDefault(false);
        b->setIconSize(QSize(12, 12));
    }

    m_scanTimer = new QTimer(this);
    m_scanTimer->setObjectName(QStringLiteral("Timer"));
    m_scanTimer->setInterval(1);

    // The folder row, the list beside the filters, the count beside the list's buttons,
    // and the progress bar under them.
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(3);
    auto* dirLabel = new QLabel(QStringLiteral("Directory:"), this);
    dirLabel->setBuddy(m_folder);
    m_folder->setAccessibleName(QStringLiteral("Directory:"));
    box->addWidget(dirLabel);
    auto* dirRow = new QHBoxLayout;
    dirRow->setSpacing(2);
    dirRow->addWidget(m_folder);
    dirRow->addWidget(m_browse);
    box->addLayout(dirRow);

    auto* middle = new QGridLayout;
    middle->setSpacing(3);
    middle->addWidget(m_list, 0, 0);
    middle->addWidget(m_filters, 0, 1);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(m_count);
    countRow->addWidget(m_loading);
    countRow->addStretch(1);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(m_refresh);
    listButtons->addWidget(m_open);
    middle->addLayout(countRow, 1, 0);
    middle->addLayout(listButtons, 1, 1);
    middle->setColumnStretch(0, 1);
    box->addLayout(middle, 1);
    box->addWidget(m_progress);
}

void ItemBrowser::run(const std::function<void()>& handler) {
    m_runner.run(handler);
}

void ItemBrowser::connectHandlers() {
    connect(m_folder, &QLineEdit::textChanged, this, [this] { run([this] { folderChanged(); }); });
    m_folder->installEventFilter(this);
    connect(m_all, &QCheckBox::toggled, this, [this] { run([this] { allFilterClicked(); }); });
    connect(m_browse, &QToolButton::clicked, this, [this] { run([this] { chooseFolder(); }); });
    connect(m_refresh, &QPushButton::clicked, this, [this] { run([this] { rescan(); }); });
    connect(m_open, &QPushButton::clicked, this, [this] { run([this] { openChosen(); }); });
    // The user selects an entry by mouse or keyboard, or clicks the one that is already
    // selected. The current entry that the focus alone makes is no choice.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        m_listPressPending = false;
        if (!m_programFillsList)
            run([this] { entryChosen(); });
    });
    connect(m_list, &QListWidget::itemPressed, this, [this] {
        if (std::exchange(m_listPressPending, false))
            run([this] { entryChosen(); });
    });
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this] { run([this] { openChosen(); }); });
    connect(m_scanTimer, &QTimer::timeout, this, [this] { run([this] { scanNow(); }); });
}

bool ItemBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && watched == m_list->viewport()) {
        m_listPressPending = true; // a press that changes no selection still counts
    } else if (event->type() == QEvent::FocusOut && watched == m_folder) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            run([this] { startScan(); });
    }
    return QWidget::eventFilter(watched, event);
}

void ItemBrowser::addListAction(QAction* action) {
    // The item list's context menu: its entries are the actions added here.
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_list->addAction(action);
}

QString ItemBrowser::folder() const {
    return m_folder->text();
}

void ItemBrowser::setFolder(const QString& folder) {
    m_folder->setText(folder);
}

QCheckBox* ItemBrowser::filterBox(Filter filter) const {
    switch (filter) {
    case Filter::Weapon:
        return m_weapon;
    case Filter::Armor:
        return m_armor;
    case Filter::Ammo:
        return m_ammo;
    case Filter::Drug:
        return m_drug;
    case Filter::Container:
        return m_container;
    case Filter::Key:
        return m_key;
    case Filter::Misc:
        return m_misc;
    case Filter::All:
        break;
    }
    return m_all;
}

bool ItemBrowser::filter(Filter filter) const {
    return filterBox(filter)->isChecked();
}

void ItemBrowser::setFilter(Filter filter, bool on) {
    filterBox(filter)->setChecked(on);
}

void ItemBrowser::folderChanged() {
    m_rescanNeeded = true;
    emit folderEdited(m_folder->text());
    m_runner.rethrowPending();
}

void ItemBrowser::rescan() {
    m_rescanNeeded = true;
    startScan();
}

void ItemBrowser::allFilterClicked() {
    const bool all = m_all->isChecked();
    for (QCheckBox* box : {m_weapon, m_ammo, m_armor, m_drug, m_misc, m_key, m_container})
        box->setEnabled(!all);
}

void ItemBrowser::chooseFolder() {
    const QString folder =
        m_dialogs.chooseFolder(window(), m_folder->text(), QString::fromLatin1(kFolderPrompt));
    if (folder.isEmpty())
        return;
    m_folder->setText(folder);
    m_runner.rethrowPending();
}

void ItemBrowser::startScan() {
    if (!m_rescanNeeded)
        return;
    m_programFillsList = true;
    m_list->clear();
    m_listedFiles.clear();
    m_programFillsList = false;
    m_progress->setRange(0, 1); // empty, not a busy animation, until the files are counted
    m_progress->setValue(0);
    m_refresh->hide();
    m_open->hide();
    m_count->hide();
    m_progress->show();
    m_loading->show();
    m_scanTimer->start();
}

void ItemBrowser::scanNow() {
    m_scanTimer->stop();
    ScanRequest request;
    request.folder = m_folder->text().toStdString();
    // The type filters by type byte: armor, container, drug, weapon, ammo, misc, key.
    const QCheckBox* byType[] = {m_armor, m_container, m_drug, m_weapon, m_ammo, m_misc, m_key};
    for (std::size_t i = 0; i < request.types.size(); ++i)
        request.types[i] = byType[i]->isChecked();
    request.all = m_all->isChecked();
    request.withNames = m_needs.withNames();
    // The scan runs to its end without taking input. The bar is redrawn as it goes, but
    // only when it shows another value and not more often than the eye can follow: a
    // redraw costs more than reading a file.
    QElapsedTimer sinceDrawn;
    sinceDrawn.start();
    const ScanResult result = m_needs.scan(request, [&](std::size_t done, std::size_t total) {
        if (done == 0) {
            m_progress->setMaximum(std::max(static_cast<int>(total), 1));
            m_progress->repaint();
        } else if (sinceDrawn.elapsed() >= kProgressRedrawMs &&
                   static_cast<int>(done) != m_progress->value()) {
            m_progress->setValue(static_cast<int>(done));
            m_progress->repaint();
            sinceDrawn.restart();
        }
    });
    // All rows in one insertion; each row's file is the scan's entry at its position.
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(result.entries.size()));
    m_listedFiles.clear();
    m_listedFiles.reserve(result.entries.size());
    for (const auto& entry : result.entries) {
        texts << QString::fromStdString(entry.text);
        m_listedFiles.push_back(entry.fileName);
    }
    m_programFillsList = true;
    m_list->addItems(texts);
    m_programFillsList = false;
    m_progress->hide();
    m_loading->hide();
    m_count->setText(QString::number(m_list->count()) + QStringLiteral(" items in total."));
    m_count->show();
    m_refresh->show();
    m_open->show();
    m_rescanNeeded = false;
    if (!result.error.empty())
        throw Error(result.error);
}

QListWidgetItem* ItemBrowser::selectedEntry() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void ItemBrowser::entryChosen() {
    if (m_needs.quickOpen()) {
        openChosen();
        m_open->setEnabled(false);
    } else if (selectedEntry()) {
        m_open->setEnabled(true);
    }
}

void ItemBrowser::openChosen() {
    const QListWidgetItem* entry = selectedEntry();
    if (!entry)
        return;
    // The entry's own file, whatever the entry's text ends with.
    emit openRequested(joinPath(m_folder->text().toStdString(),
                                m_listedFiles.at(static_cast<std::size_t>(m_list->row(entry)))));
    m_runner.rethrowPending();
}

} // namespace zantor
