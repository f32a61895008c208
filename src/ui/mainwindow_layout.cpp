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

namespace zantor {

namespace {

constexpr int kSpacing = 3;

QGridLayout* gridIn(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(kSpacing);
    return grid;
}

QGroupBox* group(const QString& caption, QWidget* parent) {
    auto* g = new QGroupBox(caption, parent);
    return g;
}

// A read-only field in the window's colour that the Tab key passes over.
void makeNameBox(QLineEdit* edit) {
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, QColor(150, 145, 115));
    edit->setPalette(p);
}

} // namespace

QLabel* TmainWindow::labelFor(QWidget* control, const QString& text) {
    auto* label = new QLabel(text, control->parentWidget());
    label->setBuddy(control);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (control->accessibleName().isEmpty())
        control->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return label;
}

QLineEdit* TmainWindow::makeEdit(const char* control) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(control));
    if (const Field* f = fieldByControl(control)) {
        if (f->maxLength > 0)
            edit->setMaxLength(f->maxLength);
        edit->setToolTip(QString::fromUtf8(f->hint.data(), qsizetype(f->hint.size())));
        edit->setAccessibleName(QString::fromUtf8(f->label.data(), qsizetype(f->label.size())));
    }
    return edit;
}

QComboBox* TmainWindow::makeList(const char* control) {
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(control));
    list->setEditable(false);
    list->setMaxVisibleItems(10);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(6);
    if (const Field* f = fieldByControl(control))
        list->setAccessibleName(QString::fromUtf8(f->label.data(), qsizetype(f->label.size())));
    return list;
}

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString labelOf(QWidget* control) {
    return control->accessibleName();
}

// Adds "label: control" at a row and column pair of a grid.
void addPair(QGridLayout* grid, QLabel* label, QWidget* control, int row, int col, int span = 1) {
    grid->addWidget(label, row, col * 2);
    grid->addWidget(control, row, col * 2 + 1, 1, span);
}

} // namespace

void TmainWindow::buildCommonPage() {
    auto* page = commonTab;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(4);

    auto* nameGroup = group(QStringLiteral("[ Name && description ]"), page);
    auto* ng = gridIn(nameGroup);
    itemIDfield = makeEdit("itemIDfield");
    textIDfield = makeEdit("textIDfield");
    nameField = makeEdit("nameField");
    nameField->setAccessibleName(QStringLiteral("Name:"));
    descField = new QPlainTextEdit(this);
    descField->setObjectName(QStringLiteral("descField"));
    descField->setFixedSize(229, 85);
    descField->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    descField->setTabChangesFocus(true);
    for (QWidget* w : {static_cast<QWidget*>(itemIDfield), static_cast<QWidget*>(textIDfield),
                       static_cast<QWidget*>(nameField)})
        w->setParent(nameGroup);
    descField->setParent(nameGroup);
    addPair(ng, labelFor(itemIDfield, labelOf(itemIDfield)), itemIDfield, 0, 0);
    addPair(ng, labelFor(textIDfield, labelOf(textIDfield)), textIDfield, 1, 0);
    addPair(ng, labelFor(nameField, labelOf(nameField)), nameField, 2, 0);
    auto* descLabel = labelFor(descField, QStringLiteral("Description:"));
    descLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    ng->addWidget(descLabel, 3, 0, 1, 2);
    ng->addWidget(descField, 4, 0, 1, 2);

    auto* graphics = group(QStringLiteral("[ Graphics ]"), page);
    auto* gg = gridIn(graphics);
    invenArtList = makeList("invenArtList");
    groundArtList = makeList("groundArtList");
    invenArtList->setParent(graphics);
    groundArtList->setParent(graphics);
    auto* invLabel = labelFor(invenArtList, labelOf(invenArtList));
    auto* groundLabel = labelFor(groundArtList, labelOf(groundArtList));
    invLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    groundLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    gg->addWidget(invLabel, 0, 0);
    gg->addWidget(invenArtList, 1, 0);
    gg->addWidget(groundLabel, 2, 0);
    gg->addWidget(groundArtList, 3, 0);
    gg->setRowStretch(4, 1);

    auto* typeGroup = group(QStringLiteral("[ Item type ]"), page);
    auto* tg = gridIn(typeGroup);
    iTypeList = makeList("iTypeList");
    for (auto name : kItemTypeNames)
        iTypeList->addItem(text(name));
    materialIDfield = makeEdit("materialIDfield");
    materialNameField = makeEdit("materialNameField");
    makeNameBox(materialNameField);
    weightField = makeEdit("weightField");
    priceField = makeEdit("priceField");
    int row = 0;
    for (QWidget* w : {static_cast<QWidget*>(iTypeList), static_cast<QWidget*>(materialIDfield),
                       static_cast<QWidget*>(materialNameField), static_cast<QWidget*>(weightField),
                       static_cast<QWidget*>(priceField)}) {
        w->setParent(typeGroup);
        const QString label = w == materialNameField ? QStringLiteral("Material:") : labelOf(w);
        addPair(tg, labelFor(w, label), w, row++, 0);
    }
    tg->setRowStretch(row, 1);

    auto* invGroup = group(QStringLiteral("[ Inventory picture ]"), page);
    auto* ig = new QVBoxLayout(invGroup);
    ig->setContentsMargins(4, 2, 4, 4);
    invPic = new PicturePane(invGroup);
    invPic->setObjectName(QStringLiteral("invPic"));
    ig->addWidget(invPic);

    auto* groundGroup = group(QStringLiteral("[ Ground picture ]"), page);
    auto* gr = new QVBoxLayout(groundGroup);
    gr->setContentsMargins(4, 2, 4, 4);
    groundPic = new PicturePane(groundGroup);
    groundPic->setObjectName(QStringLiteral("groundPic"));
    gr->addWidget(groundPic);

    textLines = new QPlainTextEdit(page);
    textLines->setObjectName(QStringLiteral("textLines"));
    textLines->setLineWrapMode(QPlainTextEdit::NoWrap);
    textLines->hide();

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
    auto* page = weaponPage;
    auto* outer = new QGridLayout(page);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(4);

    auto* modes = group(QStringLiteral("[ Attack modes ]"), page);
    auto* mg = gridIn(modes);
    atkMode1List = makeList("atkMode1List");
    atkMode2List = makeList("atkMode2List");
    for (QComboBox* list : {atkMode1List, atkMode2List}) {
        for (auto name : kAttackModeNames)
            list->addItem(text(name));
        list->setParent(modes);
    }
    range1Field = makeEdit("range1Field");
    ap1field = makeEdit("ap1field");
    range2Field = makeEdit("range2Field");
    ap2field = makeEdit("ap2field");
    const std::pair<QComboBox*, std::pair<QLineEdit*, QLineEdit*>> rows[] = {
        {atkMode1List, {range1Field, ap1field}}, {atkMode2List, {range2Field, ap2field}}};
    int r = 0;
    for (const auto& [list, edits] : rows) {
        edits.first->setParent(modes);
        edits.second->setParent(modes);
        addPair(mg, labelFor(list, labelOf(list)), list, r, 0);
        addPair(mg, labelFor(edits.first, labelOf(edits.first)), edits.first, r, 1);
        addPair(mg, labelFor(edits.second, labelOf(edits.second)), edits.second, r, 2);
        ++r;
    }
    mg->setColumnStretch(1, 2);
    mg->setColumnStretch(3, 1);
    mg->setColumnStretch(5, 1);

    auto* damage = group(QStringLiteral("[ Damage ]"), page);
    auto* dg = gridIn(damage);
    minDmgField = makeEdit("minDmgField");
    maxDmgField = makeEdit("maxDmgField");
    damageTypeIDfield = makeEdit("damageTypeIDfield");
    damageTypeNameField = makeEdit("damageTypeNameField");
    makeNameBox(damageTypeNameField);
    for (QLineEdit* e : {minDmgField, maxDmgField, damageTypeIDfield, damageTypeNameField})
        e->setParent(damage);
    addPair(dg, labelFor(minDmgField, labelOf(minDmgField)), minDmgField, 0, 0);
    addPair(dg, labelFor(maxDmgField, labelOf(maxDmgField)), maxDmgField, 0, 1);
    addPair(dg, labelFor(damageTypeIDfield, labelOf(damageTypeIDfield)), damageTypeIDfield, 1, 0);
    addPair(dg, labelFor(damageTypeNameField, QStringLiteral("Damage type:")), damageTypeNameField,
            1, 1);

    auto* misc = group(QStringLiteral("[ Miscellaneous ]"), page);
    auto* xg = gridIn(misc);
    minSTfield = makeEdit("minSTfield");
    reloadAP = makeEdit("reloadAP");
    minSTfield->setParent(misc);
    reloadAP->setParent(misc);
    addPair(xg, labelFor(minSTfield, labelOf(minSTfield)), minSTfield, 0, 0);
    addPair(xg, labelFor(reloadAP, labelOf(reloadAP)), reloadAP, 1, 0);

    auto* ammo = group(QStringLiteral("[ Ammo &]"), page);
    auto* ag = gridIn(ammo);
    ammoTypeIDfield = makeEdit("ammoTypeIDfield");
    ammoTypeNameFIeld = makeEdit("ammoTypeNameFIeld");
    makeNameBox(ammoTypeNameFIeld);
    ammoIDfield = makeEdit("ammoIDfield");
    ammoNameField = makeEdit("ammoNameField");
    makeNameBox(ammoNameField);
    burstAmmoField = makeEdit("burstAmmoField");
    capacityField = makeEdit("capacityField");
    for (QLineEdit* e : {ammoTypeIDfield, ammoTypeNameFIeld, ammoIDfield, ammoNameField,
                         burstAmmoField, capacityField})
        e->setParent(ammo);
    addPair(ag, labelFor(ammoTypeIDfield, labelOf(ammoTypeIDfield)), ammoTypeIDfield, 0, 0);
    addPair(ag, labelFor(ammoTypeNameFIeld, QStringLiteral("Ammo type:")), ammoTypeNameFIeld, 0, 1);
    addPair(ag, labelFor(burstAmmoField, labelOf(burstAmmoField)), burstAmmoField, 0, 2);
    addPair(ag, labelFor(ammoIDfield, labelOf(ammoIDfield)), ammoIDfield, 1, 0);
    addPair(ag, labelFor(ammoNameField, QStringLiteral("Default ammo:")), ammoNameField, 1, 1);
    addPair(ag, labelFor(capacityField, labelOf(capacityField)), capacityField, 1, 2);
    ag->setColumnStretch(3, 2);

    auto* visuals = group(QStringLiteral("[ Visuals ]"), page);
    auto* vg = gridIn(visuals);
    looksList = makeList("looksList");
    for (auto name : kLooksNames)
        looksList->addItem(text(name));
    fireFileList = makeList("fireFileList");
    for (int i = 0; i < kProjectileFileCount; ++i)
        fireFileList->addItem(text(projectileFileName(i)));
    fireArtIDField = makeEdit("fireArtIDField");
    fireArtNameField = makeEdit("fireArtNameField");
    makeNameBox(fireArtNameField);
    for (QWidget* w :
         {static_cast<QWidget*>(looksList), static_cast<QWidget*>(fireFileList),
          static_cast<QWidget*>(fireArtIDField), static_cast<QWidget*>(fireArtNameField)})
        w->setParent(visuals);
    addPair(vg, labelFor(looksList, labelOf(looksList)), looksList, 0, 0);
    addPair(vg, labelFor(fireFileList, labelOf(fireFileList)), fireFileList, 0, 1);
    addPair(vg, labelFor(fireArtIDField, labelOf(fireArtIDField)), fireArtIDField, 1, 0);
    addPair(vg, labelFor(fireArtNameField, QStringLiteral("Projectile:")), fireArtNameField, 1, 1);

    auto* sound = group(QStringLiteral("[ Sound ]"), page);
    auto* sg = gridIn(sound);
    fireSoundIDfield = makeEdit("fireSoundIDfield");
    fireSoundIDfield->setParent(sound);
    addPair(sg, labelFor(fireSoundIDfield, labelOf(fireSoundIDfield)), fireSoundIDfield, 0, 0);
    sg->setRowStretch(1, 1);

    outer->addWidget(modes, 0, 0, 1, 3);
    outer->addWidget(damage, 1, 0, 1, 2);
    outer->addWidget(misc, 1, 2);
    outer->addWidget(ammo, 2, 0, 1, 3);
    outer->addWidget(visuals, 3, 0, 1, 2);
    outer->addWidget(sound, 3, 2);
    outer->setRowStretch(4, 1);
}

void TmainWindow::buildArmorPage() {
    auto* page = armorPage;
    auto* outer = new QGridLayout(page);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(4);

    // Both groups: Normal, Fire, Electric / Plasma, Laser, EMP / Explosions in the middle.
    auto fillDamageGroup = [this](QGroupBox* g, QLineEdit* const(&edits)[7]) {
        auto* grid = gridIn(g);
        const int places[7][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 1}};
        for (int i = 0; i < 7; ++i) {
            edits[i]->setParent(g);
            addPair(grid, labelFor(edits[i], labelOf(edits[i])), edits[i], places[i][0],
                    places[i][1]);
        }
    };
    DRnormalField = makeEdit("DRnormalField");
    DRfireField = makeEdit("DRfireField");
    DRelectricField = makeEdit("DRelectricField");
    DRplasmaField = makeEdit("DRplasmaField");
    DRlaserField = makeEdit("DRlaserField");
    DRempField = makeEdit("DRempField");
    DRexpField = makeEdit("DRexpField");
    DTnormalField = makeEdit("DTnormalField");
    DTfireField = makeEdit("DTfireField");
    DTelectricField = makeEdit("DTelectricField");
    DTplasmaField = makeEdit("DTplasmaField");
    DTlaserField = makeEdit("DTlaserField");
    DTempField = makeEdit("DTempField");
    DTexpField = makeEdit("DTexpField");
    auto* resist = group(QStringLiteral("[ Damage Resistance %]"), page);
    QLineEdit* const dr[7] = {DRnormalField, DRfireField, DRelectricField, DRplasmaField,
                              DRlaserField,  DRempField,  DRexpField};
    fillDamageGroup(resist, dr);
    auto* threshold = group(QStringLiteral("[ Damage Threshold ]"), page);
    QLineEdit* const dt[7] = {DTnormalField, DTfireField, DTelectricField, DTplasmaField,
                              DTlaserField,  DTempField,  DTexpField};
    fillDamageGroup(threshold, dt);

    auto* misc = group(QStringLiteral("[ Misc. ]"), page);
    auto* mg = gridIn(misc);
    ACfield = makeEdit("ACfield");
    ACfield->setParent(misc);
    addPair(mg, labelFor(ACfield, labelOf(ACfield)), ACfield, 0, 0);
    mg->setRowStretch(1, 1);

    auto* visuals = group(QStringLiteral("[ Visuals ]"), page);
    auto* vg = gridIn(visuals);
    maleLooksList = makeList("maleLooksList");
    maleLooksDesc = makeEdit("maleLooksDesc");
    femaleLooksList = makeList("femaleLooksList");
    femaleLooksDesc = makeEdit("femaleLooksDesc");
    makeNameBox(maleLooksDesc);
    makeNameBox(femaleLooksDesc);
    int r = 0;
    for (auto [list, desc] :
         {std::pair{maleLooksList, maleLooksDesc}, std::pair{femaleLooksList, femaleLooksDesc}}) {
        list->setParent(visuals);
        desc->setParent(visuals);
        addPair(vg, labelFor(list, labelOf(list)), list, r, 0);
        addPair(vg, labelFor(desc, QStringLiteral("Description:")), desc, r, 1);
        ++r;
    }
    vg->setColumnStretch(1, 1);
    vg->setColumnStretch(3, 2);

    outer->addWidget(resist, 0, 0);
    outer->addWidget(threshold, 0, 1);
    outer->addWidget(misc, 0, 2);
    outer->addWidget(visuals, 1, 0, 1, 3);
    outer->setRowStretch(2, 1);
}

void TmainWindow::buildContainerPage() {
    auto* outer = new QGridLayout(containerPage);
    outer->setContentsMargins(4, 4, 4, 4);
    auto* misc = group(QStringLiteral("[ Miscellaneous ]"), containerPage);
    auto* mg = gridIn(misc);
    containerCapacity = makeEdit("containerCapacity");
    containerCapacity->setParent(misc);
    addPair(mg, labelFor(containerCapacity, labelOf(containerCapacity)), containerCapacity, 0, 0);
    outer->addWidget(misc, 0, 0);
    outer->setRowStretch(1, 1);
    outer->setColumnStretch(1, 1);
}

void TmainWindow::buildDrugPage() {
    auto* outer = new QGridLayout(drugPage);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(4);

    auto* effects = group(QStringLiteral("[ Effects ]"), drugPage);
    auto* eg = gridIn(effects);
    statList1 = makeList("statList1");
    statList2 = makeList("statList2");
    statList3 = makeList("statList3");
    effectField11 = makeEdit("effectField11");
    effectField12 = makeEdit("effectField12");
    effectField13 = makeEdit("effectField13");
    effectField21 = makeEdit("effectField21");
    effectField22 = makeEdit("effectField22");
    effectField23 = makeEdit("effectField23");
    effectField31 = makeEdit("effectField31");
    effectField32 = makeEdit("effectField32");
    effectField33 = makeEdit("effectField33");
    midTermField = makeEdit("midTermField");
    longTermField = makeEdit("longTermField");
    QComboBox* const stats[3] = {statList1, statList2, statList3};
    QLineEdit* const cells[3][3] = {{effectField11, effectField21, effectField31},
                                    {effectField12, effectField22, effectField32},
                                    {effectField13, effectField23, effectField33}};
    // Column captions above the first row; each caption is the first row's label.
    for (int col = 0; col < 3; ++col) {
        auto* caption = labelFor(cells[0][col], labelOf(cells[0][col]));
        caption->setParent(effects);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        eg->addWidget(caption, 0, 2 + col);
    }
    for (int row = 0; row < 3; ++row) {
        stats[row]->setParent(effects);
        eg->addWidget(labelFor(stats[row], labelOf(stats[row])), row + 1, 0);
        eg->addWidget(stats[row], row + 1, 1);
        for (int col = 0; col < 3; ++col) {
            cells[row][col]->setParent(effects);
            eg->addWidget(cells[row][col], row + 1, 2 + col);
        }
    }
    midTermField->setParent(effects);
    longTermField->setParent(effects);
    auto* midLabel = labelFor(midTermField, labelOf(midTermField));
    auto* longLabel = labelFor(longTermField, labelOf(longTermField));
    midLabel->setParent(effects);
    longLabel->setParent(effects);
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(midLabel);
    timeRow->addWidget(midTermField);
    timeRow->addSpacing(12);
    timeRow->addWidget(longLabel);
    timeRow->addWidget(longTermField);
    eg->addLayout(timeRow, 4, 2, 1, 3, Qt::AlignRight);
    eg->setColumnStretch(1, 3);
    for (int col = 2; col < 5; ++col)
        eg->setColumnStretch(col, 1);

    auto* addiction = group(QStringLiteral("[ Addiction ]"), drugPage);
    auto* ag = gridIn(addiction);
    addList = makeList("addList");
    for (const auto& a : kAddictions)
        addList->addItem(text(a.name));
    addList->setCurrentIndex(0);
    addictionField = makeEdit("addictionField");
    withdrawField = makeEdit("withdrawField");
    for (QWidget* w : {static_cast<QWidget*>(addList), static_cast<QWidget*>(addictionField),
                       static_cast<QWidget*>(withdrawField)})
        w->setParent(addiction);
    addPair(ag, labelFor(addList, labelOf(addList)), addList, 0, 0);
    addPair(ag, labelFor(addictionField, labelOf(addictionField)), addictionField, 0, 1);
    addPair(ag, labelFor(withdrawField, labelOf(withdrawField)), withdrawField, 0, 2);

    outer->addWidget(effects, 0, 0);
    outer->addWidget(addiction, 1, 0);
    outer->setRowStretch(2, 1);
}

void TmainWindow::buildAmmoPage() {
    auto* outer = new QGridLayout(ammoPage);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(4);
    auto* misc = group(QStringLiteral("[ Miscellaneous ]"), ammoPage);
    auto* mg = gridIn(misc);
    ammoTypeList = makeList("ammoTypeList");
    ammo_capacity = makeEdit("ammo_capacity");
    ammoTypeList->setParent(misc);
    ammo_capacity->setParent(misc);
    addPair(mg, labelFor(ammoTypeList, labelOf(ammoTypeList)), ammoTypeList, 0, 0);
    addPair(mg, labelFor(ammo_capacity, labelOf(ammo_capacity)), ammo_capacity, 1, 0);

    auto* mods = group(QStringLiteral("[ Modifiers ]"), ammoPage);
    auto* dg = gridIn(mods);
    ACmodField = makeEdit("ACmodField");
    DRmodField = makeEdit("DRmodField");
    ACdmgMod = makeEdit("ACdmgMod");
    DRdmgMod = makeEdit("DRdmgMod");
    const std::pair<QLineEdit*, std::pair<int, int>> places[] = {
        {ACmodField, {0, 0}}, {DRmodField, {1, 0}}, {ACdmgMod, {0, 1}}, {DRdmgMod, {1, 1}}};
    for (const auto& [e, at] : places) {
        e->setParent(mods);
        addPair(dg, labelFor(e, labelOf(e)), e, at.first, at.second);
    }
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
    progBar->setRange(0, 0);
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
    mainPages->setFixedHeight(341);
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
