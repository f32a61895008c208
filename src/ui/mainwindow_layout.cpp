// SPDX-License-Identifier: GPL-3.0-or-later
// Building the main window's controls. Labels, limits and hints of the item's
// fields come from the record's field tables.
#include "record/fields.h"
#include "ui/mainwindow.h"
#include "ui/picture_pane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

namespace zantor {

QLabel* TmainWindow::labelFor(QWidget* control, const QString& text) {
    auto* label = new QLabel(text, control->parentWidget());
    label->setBuddy(control);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (control->accessibleName().isEmpty())
        control->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return label;
}

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The label of a control that the field tables describe; `fallback` for the others.
QString tableLabel(const char* control, const QString& fallback) {
    const Field* f = fieldByControl(control);
    return f ? text(f->label) : fallback;
}

} // namespace

QLineEdit* TmainWindow::makeEdit(const char* control, QWidget* parent, const QString& label) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(control));
    edit->setAccessibleName(tableLabel(control, label));
    if (const Field* f = fieldByControl(control)) {
        if (f->maxLength > 0)
            edit->setMaxLength(f->maxLength);
        edit->setToolTip(text(f->hint));
    }
    return edit;
}

QLineEdit* TmainWindow::makeNameBox(const char* control, QWidget* parent, const QString& label) {
    // Read-only, in the window's colour, passed over by the Tab key.
    QLineEdit* edit = makeEdit(control, parent, label);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    edit->setPalette(p);
    return edit;
}

QComboBox* TmainWindow::makeList(const char* control, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(control));
    list->setEditable(false);
    list->setMaxVisibleItems(10);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(6);
    list->setAccessibleName(tableLabel(control, {}));
    return list;
}

void TmainWindow::place(QGridLayout* grid, QWidget* control, int row, int col) {
    grid->addWidget(labelFor(control, control->accessibleName()), row, col * 2);
    grid->addWidget(control, row, col * 2 + 1);
}

namespace {

QGroupBox* groupWithGrid(const QString& caption, QWidget* parent, QGridLayout*& grid) {
    auto* g = new QGroupBox(caption, parent);
    grid = new QGridLayout(g);
    grid->setContentsMargins(6, 2, 6, 3);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    return g;
}

QGridLayout* pageGrid(QWidget* page) {
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(3, 2, 3, 2);
    grid->setSpacing(3);
    return grid;
}

// A group holding one picture area that fills it.
PicturePane* pictureGroup(const QString& caption, const char* name, QWidget* parent,
                          QGroupBox*& group) {
    group = new QGroupBox(caption, parent);
    auto* box = new QVBoxLayout(group);
    box->setContentsMargins(4, 2, 4, 4);
    auto* pane = new PicturePane(group);
    pane->setObjectName(QString::fromLatin1(name));
    box->addWidget(pane);
    return pane;
}

} // namespace

void TmainWindow::buildCommonPage() {
    QGridLayout* grid = pageGrid(commonTab);
    QGridLayout* g = nullptr;

    auto* nameGroup = groupWithGrid(QStringLiteral("[ Name && description ]"), commonTab, g);
    itemIDfield = makeEdit("itemIDfield", nameGroup);
    textIDfield = makeEdit("textIDfield", nameGroup);
    nameField = makeEdit("nameField", nameGroup, QStringLiteral("Name:"));
    // Set while nothing is connected: a start value, not an edit.
    itemIDfield->setText(QStringLiteral("0"));
    textIDfield->setText(QStringLiteral("0"));
    place(g, itemIDfield, 0, 0);
    place(g, textIDfield, 1, 0);
    place(g, nameField, 2, 0);
    descField = new QPlainTextEdit(nameGroup);
    descField->setObjectName(QStringLiteral("descField"));
    descField->setFixedSize(229, 85);
    descField->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    descField->setTabChangesFocus(true);
    auto* descLabel = labelFor(descField, QStringLiteral("Description:"));
    descLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    g->addWidget(descLabel, 3, 0, 1, 2);
    g->addWidget(descField, 4, 0, 1, 2);

    // Labels above their lists here, to leave the lists their width.
    auto* graphics = groupWithGrid(QStringLiteral("[ Graphics ]"), commonTab, g);
    invenArtList = makeList("invenArtList", graphics);
    groundArtList = makeList("groundArtList", graphics);
    int row = 0;
    for (QComboBox* list : {invenArtList, groundArtList}) {
        auto* label = labelFor(list, list->accessibleName());
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        g->addWidget(label, row++, 0);
        g->addWidget(list, row++, 0);
    }
    g->setRowStretch(row, 1);

    auto* typeGroup = groupWithGrid(QStringLiteral("[ Item type ]"), commonTab, g);
    iTypeList = makeList("iTypeList", typeGroup);
    for (auto name : kItemTypeNames)
        iTypeList->addItem(text(name));
    materialIDfield = makeEdit("materialIDfield", typeGroup);
    materialNameField = makeNameBox("materialNameField", typeGroup, QStringLiteral("Material:"));
    weightField = makeEdit("weightField", typeGroup);
    priceField = makeEdit("priceField", typeGroup);
    row = 0;
    for (QWidget* w : std::initializer_list<QWidget*>{iTypeList, materialIDfield, materialNameField,
                                                      weightField, priceField})
        place(g, w, row++, 0);
    g->setRowStretch(row, 1);

    QGroupBox* invGroup = nullptr;
    QGroupBox* groundGroup = nullptr;
    invPic = pictureGroup(QStringLiteral("[ Inventory picture ]"), "invPic", commonTab, invGroup);
    groundPic =
        pictureGroup(QStringLiteral("[ Ground picture ]"), "groundPic", commonTab, groundGroup);

    grid->addWidget(nameGroup, 0, 0);
    grid->addWidget(graphics, 0, 1);
    grid->addWidget(typeGroup, 0, 2, 2, 1);
    grid->addWidget(invGroup, 1, 0);
    grid->addWidget(groundGroup, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 3);
}

void TmainWindow::buildWeaponPage() {
    QGridLayout* outer = pageGrid(weaponPage);
    QGridLayout* g = nullptr;

    auto* modes = groupWithGrid(QStringLiteral("[ Attack modes ]"), weaponPage, g);
    atkMode1List = makeList("atkMode1List", modes);
    range1Field = makeEdit("range1Field", modes);
    ap1field = makeEdit("ap1field", modes);
    atkMode2List = makeList("atkMode2List", modes);
    range2Field = makeEdit("range2Field", modes);
    ap2field = makeEdit("ap2field", modes);
    const QWidget* rows[2][3] = {{atkMode1List, range1Field, ap1field},
                                 {atkMode2List, range2Field, ap2field}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            place(g, const_cast<QWidget*>(rows[r][c]), r, c);
    for (QComboBox* list : {atkMode1List, atkMode2List})
        for (auto name : kAttackModeNames)
            list->addItem(text(name));
    g->setColumnStretch(1, 2);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(5, 1);

    auto* damage = groupWithGrid(QStringLiteral("[ Damage ]"), weaponPage, g);
    minDmgField = makeEdit("minDmgField", damage);
    maxDmgField = makeEdit("maxDmgField", damage);
    damageTypeIDfield = makeEdit("damageTypeIDfield", damage);
    damageTypeNameField =
        makeNameBox("damageTypeNameField", damage, QStringLiteral("Damage type:"));
    place(g, minDmgField, 0, 0);
    place(g, maxDmgField, 0, 1);
    place(g, damageTypeIDfield, 1, 0);
    place(g, damageTypeNameField, 1, 1);

    auto* misc = groupWithGrid(QStringLiteral("[ Miscellaneous ]"), weaponPage, g);
    minSTfield = makeEdit("minSTfield", misc);
    reloadAP = makeEdit("reloadAP", misc);
    place(g, minSTfield, 0, 0);
    place(g, reloadAP, 1, 0);

    auto* ammo = groupWithGrid(QStringLiteral("[ Ammo &]"), weaponPage, g);
    ammoTypeIDfield = makeEdit("ammoTypeIDfield", ammo);
    ammoTypeNameFIeld = makeNameBox("ammoTypeNameFIeld", ammo, QStringLiteral("Ammo type:"));
    burstAmmoField = makeEdit("burstAmmoField", ammo);
    ammoIDfield = makeEdit("ammoIDfield", ammo);
    ammoNameField = makeNameBox("ammoNameField", ammo, QStringLiteral("Default ammo:"));
    capacityField = makeEdit("capacityField", ammo);
    place(g, ammoTypeIDfield, 0, 0);
    place(g, ammoTypeNameFIeld, 0, 1);
    place(g, burstAmmoField, 0, 2);
    place(g, ammoIDfield, 1, 0);
    place(g, ammoNameField, 1, 1);
    place(g, capacityField, 1, 2);
    g->setColumnStretch(3, 2);

    auto* visuals = groupWithGrid(QStringLiteral("[ Visuals ]"), weaponPage, g);
    looksList = makeList("looksList", visuals);
    for (auto name : kLooksNames)
        looksList->addItem(text(name));
    fireFileList = makeList("fireFileList", visuals);
    for (int i = 0; i < kProjectileFileCount; ++i)
        fireFileList->addItem(text(projectileFileName(i)));
    fireArtIDField = makeEdit("fireArtIDField", visuals);
    fireArtNameField = makeNameBox("fireArtNameField", visuals, QStringLiteral("Projectile:"));
    place(g, looksList, 0, 0);
    place(g, fireFileList, 0, 1);
    place(g, fireArtIDField, 1, 0);
    place(g, fireArtNameField, 1, 1);

    auto* sound = groupWithGrid(QStringLiteral("[ Sound ]"), weaponPage, g);
    fireSoundIDfield = makeEdit("fireSoundIDfield", sound);
    place(g, fireSoundIDfield, 0, 0);
    g->setRowStretch(1, 1);

    outer->addWidget(modes, 0, 0, 1, 2);
    outer->addWidget(damage, 1, 0);
    outer->addWidget(misc, 1, 1);
    outer->addWidget(ammo, 2, 0, 1, 2);
    outer->addWidget(visuals, 3, 0);
    outer->addWidget(sound, 3, 1);
    outer->setColumnStretch(0, 5);
    outer->setColumnStretch(1, 4);
    outer->setRowStretch(4, 1);
}

void TmainWindow::buildArmorPage() {
    QGridLayout* outer = pageGrid(armorPage);
    QGridLayout* g = nullptr;

    // Both groups: Normal, Fire, Electric / Plasma, Laser, EMP / Explosions in the middle.
    const int places[7][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 1}};
    auto damageGroup = [&](const QString& caption, const char* const(&names)[7],
                           QLineEdit**(&fields)[7]) {
        auto* group = groupWithGrid(caption, armorPage, g);
        for (int i = 0; i < 7; ++i) {
            *fields[i] = makeEdit(names[i], group);
            place(g, *fields[i], places[i][0], places[i][1]);
        }
        return group;
    };
    const char* const drNames[7] = {"DRnormalField", "DRfireField",  "DRelectricField",
                                    "DRplasmaField", "DRlaserField", "DRempField",
                                    "DRexpField"};
    QLineEdit** drFields[7] = {&DRnormalField, &DRfireField, &DRelectricField, &DRplasmaField,
                               &DRlaserField,  &DRempField,  &DRexpField};
    const char* const dtNames[7] = {"DTnormalField", "DTfireField",  "DTelectricField",
                                    "DTplasmaField", "DTlaserField", "DTempField",
                                    "DTexpField"};
    QLineEdit** dtFields[7] = {&DTnormalField, &DTfireField, &DTelectricField, &DTplasmaField,
                               &DTlaserField,  &DTempField,  &DTexpField};
    auto* resist = damageGroup(QStringLiteral("[ Damage Resistance %]"), drNames, drFields);
    auto* threshold = damageGroup(QStringLiteral("[ Damage Threshold ]"), dtNames, dtFields);

    auto* misc = groupWithGrid(QStringLiteral("[ Misc. ]"), armorPage, g);
    ACfield = makeEdit("ACfield", misc);
    place(g, ACfield, 0, 0);
    g->setRowStretch(1, 1);

    auto* visuals = groupWithGrid(QStringLiteral("[ Visuals ]"), armorPage, g);
    maleLooksList = makeList("maleLooksList", visuals);
    maleLooksDesc = makeNameBox("maleLooksDesc", visuals, QStringLiteral("Description:"));
    femaleLooksList = makeList("femaleLooksList", visuals);
    femaleLooksDesc = makeNameBox("femaleLooksDesc", visuals, QStringLiteral("Description:"));
    place(g, maleLooksList, 0, 0);
    place(g, maleLooksDesc, 0, 1);
    place(g, femaleLooksList, 1, 0);
    place(g, femaleLooksDesc, 1, 1);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 2);

    outer->addWidget(resist, 0, 0);
    outer->addWidget(threshold, 0, 1);
    outer->addWidget(misc, 0, 2);
    outer->addWidget(visuals, 1, 0, 1, 3);
    outer->setRowStretch(2, 1);
}

void TmainWindow::buildContainerPage() {
    QGridLayout* outer = pageGrid(containerPage);
    QGridLayout* g = nullptr;
    auto* misc = groupWithGrid(QStringLiteral("[ Miscellaneous ]"), containerPage, g);
    containerCapacity = makeEdit("containerCapacity", misc);
    place(g, containerCapacity, 0, 0);
    outer->addWidget(misc, 0, 0);
    outer->setRowStretch(1, 1);
    outer->setColumnStretch(1, 1);
}

void TmainWindow::buildDrugPage() {
    QGridLayout* outer = pageGrid(drugPage);
    QGridLayout* g = nullptr;

    auto* effects = groupWithGrid(QStringLiteral("[ Effects ]"), drugPage, g);
    statList1 = makeList("statList1", effects);
    statList2 = makeList("statList2", effects);
    statList3 = makeList("statList3", effects);
    // Rows are the statistics, columns the immediate, mid-term and long-term effects.
    QLineEdit** cells[3][3] = {{&effectField11, &effectField21, &effectField31},
                               {&effectField12, &effectField22, &effectField32},
                               {&effectField13, &effectField23, &effectField33}};
    const char* const cellNames[3][3] = {{"effectField11", "effectField21", "effectField31"},
                                         {"effectField12", "effectField22", "effectField32"},
                                         {"effectField13", "effectField23", "effectField33"}};
    QComboBox* const stats[3] = {statList1, statList2, statList3};
    for (int row = 0; row < 3; ++row) {
        g->addWidget(labelFor(stats[row], stats[row]->accessibleName()), row + 1, 0);
        g->addWidget(stats[row], row + 1, 1);
        for (int col = 0; col < 3; ++col) {
            *cells[row][col] = makeEdit(cellNames[row][col], effects);
            g->addWidget(*cells[row][col], row + 1, 2 + col);
        }
    }
    // Each column's caption stands above it as the first row's label.
    for (int col = 0; col < 3; ++col) {
        QLineEdit* first = *cells[0][col];
        auto* caption = labelFor(first, first->accessibleName());
        caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        g->addWidget(caption, 0, 2 + col);
    }
    // The two times in a fourth row, each with its label under its own column.
    midTermField = makeEdit("midTermField", effects);
    longTermField = makeEdit("longTermField", effects);
    for (const auto& [field, col] : {std::pair{midTermField, 3}, std::pair{longTermField, 4}}) {
        auto* time = new QHBoxLayout;
        time->setSpacing(4);
        time->addWidget(labelFor(field, field->accessibleName()));
        time->addWidget(field, 1);
        g->addLayout(time, 4, col);
    }
    for (int col = 1; col < 5; ++col)
        g->setColumnStretch(col, 1);

    auto* addiction = groupWithGrid(QStringLiteral("[ Addiction ]"), drugPage, g);
    addList = makeList("addList", addiction);
    for (const auto& a : kAddictions)
        addList->addItem(text(a.name));
    addList->setCurrentIndex(0);
    addictionField = makeEdit("addictionField", addiction);
    withdrawField = makeEdit("withdrawField", addiction);
    place(g, addList, 0, 0);
    place(g, addictionField, 0, 1);
    place(g, withdrawField, 0, 2);

    outer->addWidget(effects, 0, 0);
    outer->addWidget(addiction, 1, 0);
    outer->setRowStretch(2, 1);
}

void TmainWindow::buildAmmoPage() {
    QGridLayout* outer = pageGrid(ammoPage);
    QGridLayout* g = nullptr;
    auto* misc = groupWithGrid(QStringLiteral("[ Miscellaneous ]"), ammoPage, g);
    ammoTypeList = makeList("ammoTypeList", misc);
    ammo_capacity = makeEdit("ammo_capacity", misc);
    place(g, ammoTypeList, 0, 0);
    place(g, ammo_capacity, 1, 0);

    auto* mods = groupWithGrid(QStringLiteral("[ Modifiers ]"), ammoPage, g);
    ACmodField = makeEdit("ACmodField", mods);
    DRmodField = makeEdit("DRmodField", mods);
    ACdmgMod = makeEdit("ACdmgMod", mods);
    DRdmgMod = makeEdit("DRdmgMod", mods);
    place(g, ACmodField, 0, 0);
    place(g, DRmodField, 1, 0);
    place(g, ACdmgMod, 0, 1);
    place(g, DRdmgMod, 1, 1);
    outer->addWidget(misc, 0, 0);
    outer->addWidget(mods, 0, 1);
    outer->setRowStretch(1, 1);
}

void TmainWindow::buildBrowser() {
    dirField = new QLineEdit(this);
    dirField->setObjectName(QStringLiteral("dirField"));
    browseButton = new QToolButton(this);
    browseButton->setObjectName(QStringLiteral("browseButton"));
    browseButton->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    browseButton->setAutoRaise(true);
    browseButton->setToolTip(QStringLiteral("Choose the folder of item files"));
    itemList = new QListWidget(this);
    itemList->setObjectName(QStringLiteral("itemList"));
    itemList->setAccessibleName(QStringLiteral("Item files"));

    filterGroup = new QGroupBox(QStringLiteral("[ Filters ]"), this);
    filterGroup->setObjectName(QStringLiteral("filterGroup"));
    auto makeFilter = [this](const char* name, const char* caption) {
        auto* box = new QCheckBox(QString::fromLatin1(caption), filterGroup);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(true);
        return box;
    };
    weaponFilter = makeFilter("weaponFilter", "Weapons");
    armorFilter = makeFilter("armorFilter", "Armor");
    ammoFilter = makeFilter("ammoFilter", "Ammo");
    drugFilter = makeFilter("drugFilter", "Drugs");
    containerFilter = makeFilter("containerFilter", "Containers");
    keyFilter = makeFilter("keyFilter", "Keys");
    miscFilter = makeFilter("miscFilter", "Misc.");
    filterAll = makeFilter("filterAll", "All");
    filterAll->setChecked(false);
    QFont bold = filterAll->font();
    bold.setBold(true);
    filterAll->setFont(bold);
    auto* fg = new QGridLayout(filterGroup);
    fg->setContentsMargins(6, 2, 6, 2);
    fg->setVerticalSpacing(0);
    const QCheckBox* left[] = {weaponFilter, armorFilter, containerFilter, miscFilter};
    const QCheckBox* right[] = {ammoFilter, drugFilter, keyFilter, filterAll};
    for (int i = 0; i < 4; ++i) {
        fg->addWidget(const_cast<QCheckBox*>(left[i]), i, 0);
        fg->addWidget(const_cast<QCheckBox*>(right[i]), i, 1);
    }

    itemCount = new QLabel(QStringLiteral("0 items in total"), this);
    itemCount->setObjectName(QStringLiteral("itemCount"));
    loadingLabel = new QLabel(QStringLiteral("Reading item files in directory..."), this);
    loadingLabel->setObjectName(QStringLiteral("loadingLabel"));
    loadingLabel->hide();
    progBar = new QProgressBar(this);
    progBar->setObjectName(QStringLiteral("progBar"));
    // A range of 0 to 0 would draw a busy animation; 0 of 1 is an empty bar.
    progBar->setRange(0, 1);
    progBar->setValue(0);
    progBar->setTextVisible(false);
    progBar->setFixedHeight(12);
    progBar->hide();
    refreshButton = new QPushButton(style()->standardIcon(QStyle::SP_BrowserReload),
                                    QStringLiteral("List files"), this);
    refreshButton->setObjectName(QStringLiteral("refreshButton"));
    openButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOpenButton),
                                 QStringLiteral("Open"), this);
    openButton->setObjectName(QStringLiteral("openButton"));
    openButton->setEnabled(false);

    closeButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                  QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    aboutButton = new QPushButton(QStringLiteral("About"), this);
    aboutButton->setObjectName(QStringLiteral("aboutButton"));
    configButton = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                   QStringLiteral("Options..."), this);
    configButton->setObjectName(QStringLiteral("configButton"));
    saveasButton = new QPushButton(style()->standardIcon(QStyle::SP_DriveFDIcon),
                                   QStringLiteral("Save As..."), this);
    saveasButton->setObjectName(QStringLiteral("saveasButton"));
    saveasButton->setEnabled(false);
    saveButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                                 QStringLiteral("Save"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    saveButton->setEnabled(false);
    for (QPushButton* b : {refreshButton, openButton, closeButton, aboutButton, configButton,
                           saveasButton, saveButton}) {
        b->setAutoDefault(false);
        b->setIconSize(QSize(12, 12));
    }

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(1);

    // Arrangement: page control, browser, button row.
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->setSpacing(3);
    root->addWidget(mainPages);

    auto* dirLabel = new QLabel(QStringLiteral("Directory:"), this);
    dirLabel->setBuddy(dirField);
    dirField->setAccessibleName(QStringLiteral("Directory:"));
    root->addWidget(dirLabel);
    auto* dirRow = new QHBoxLayout;
    dirRow->setSpacing(2);
    dirRow->addWidget(dirField);
    dirRow->addWidget(browseButton);
    root->addLayout(dirRow);

    auto* middle = new QGridLayout;
    middle->setSpacing(3);
    middle->addWidget(itemList, 0, 0);
    middle->addWidget(filterGroup, 0, 1);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(itemCount);
    countRow->addWidget(loadingLabel);
    countRow->addStretch(1);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(refreshButton);
    listButtons->addWidget(openButton);
    middle->addLayout(countRow, 1, 0);
    middle->addLayout(listButtons, 1, 1);
    middle->setColumnStretch(0, 1);
    root->addLayout(middle, 1);
    root->addWidget(progBar);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(closeButton);
    buttons->addStretch(1);
    buttons->addWidget(aboutButton);
    buttons->addWidget(configButton);
    buttons->addWidget(saveasButton);
    buttons->addWidget(saveButton);
    root->addLayout(buttons);
}

} // namespace zantor
