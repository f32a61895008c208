// SPDX-License-Identifier: GPL-3.0-or-later
// The item form's pages. Labels, limits and hints of the item's fields come from the
// record's field tables; each page lays its controls out where the form has them.
#include "ui/form_pages.h"

#include "record/fields.h"
#include "ui/picture_pane.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>
#include <array>
#include <functional>
#include <numeric>
#include <utility>

namespace zantor {

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// A list of the form. It keeps the width of six letters and an icon whatever it holds,
// as the "minimum contents length with icon" policy sizes a list; it answers that size
// itself, because setting the policy makes a list build its popup (some eight widgets)
// at once, fourteen popups at start-up. Built here, a popup waits until first opened.
// No class of its own in the meta-object system: to the outside it is a plain list.
class FormList final : public QComboBox {
public:
    explicit FormList(QWidget* parent) : QComboBox(parent) {}

    QSize sizeHint() const override { return policySize(); }
    QSize minimumSizeHint() const override { return policySize(); }

private:
    QSize policySize() const {
        const QFontMetrics fm = fontMetrics();
        const QSize icon = iconSize();
        const int width =
            minimumContentsLength() * fm.horizontalAdvance(QLatin1Char('X')) + icon.width() + 4;
        const int height = std::max({qCeil(QFontMetricsF(fm).height()) + 2, 16, icon.height() + 2});
        QStyleOptionComboBox option;
        initStyleOption(&option);
        return style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(width, height), this);
    }
};

// Fills an empty list with the texts of `entries` in one insertion: the list (and its
// popup, once built) takes in one change, not one per entry.
template <typename Entries, typename Text>
void fill(QComboBox* list, const Entries& entries, Text textOf) {
    QStringList texts;
    texts.reserve(qsizetype(std::size(entries)));
    for (const auto& entry : entries)
        texts.append(text(textOf(entry)));
    list->addItems(texts);
}

// The label of a control that the field tables describe; `fallback` for the others.
QString tableLabel(const char* control, const QString& fallback) {
    const Field* f = fieldByControl(control);
    return f ? text(f->label) : fallback;
}

// A label for a control: its buddy, right-aligned; its text (without the accelerator
// mark) becomes the control's accessible name when it has none.
QLabel* labelFor(QWidget* control, const QString& text) {
    auto* label = new QLabel(text, control->parentWidget());
    label->setBuddy(control);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (control->accessibleName().isEmpty())
        control->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return label;
}

/// Puts a control with its label at a row and column pair of a grid.
void place(QGridLayout* grid, QWidget* control, int row, int col) {
    grid->addWidget(labelFor(control, control->accessibleName()), row, col * 2);
    grid->addWidget(control, row, col * 2 + 1);
}

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
QGroupBox* pictureGroup(const QString& caption, const char* name, QWidget* parent) {
    auto* group = new QGroupBox(caption, parent);
    auto* box = new QVBoxLayout(group);
    box->setContentsMargins(4, 2, 4, 4);
    auto* pane = new PicturePane(group);
    pane->setObjectName(QString::fromLatin1(name));
    box->addWidget(pane);
    return group;
}

} // namespace

FormPage::FormPage(const char* name, Section section, QWidget* parent)
    : QWidget(parent), m_section(section) {
    setObjectName(QString::fromLatin1(name));
}

QLineEdit* FormPage::makeEdit(const char* control, QWidget* parent, const QString& label) {
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

QLineEdit* FormPage::makeNameBox(const char* control, QWidget* parent, const QString& label) {
    QLineEdit* edit = makeEdit(control, parent, label);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    edit->setPalette(p);
    return edit;
}

QComboBox* FormPage::makeList(const char* control, QWidget* parent) {
    auto* list = new FormList(parent);
    list->setObjectName(QString::fromLatin1(control));
    list->setEditable(false);
    list->setMaxVisibleItems(10);
    list->setMinimumContentsLength(6);
    list->setAccessibleName(tableLabel(control, {}));
    return list;
}

CommonPage::CommonPage(QWidget* parent) : FormPage("commonTab", Section::Header, parent) {
    QGridLayout* grid = pageGrid(this);
    QGridLayout* g = nullptr;

    auto* nameGroup = groupWithGrid(QStringLiteral("[ Name && description ]"), this, g);
    QLineEdit* itemId = makeEdit("itemIDfield", nameGroup);
    QLineEdit* textId = makeEdit("textIDfield", nameGroup);
    QLineEdit* name = makeEdit("nameField", nameGroup, QStringLiteral("Name:"));
    // Set while nothing is connected: a start value, not an edit.
    itemId->setText(QStringLiteral("0"));
    textId->setText(QStringLiteral("0"));
    place(g, itemId, 0, 0);
    place(g, textId, 1, 0);
    place(g, name, 2, 0);
    auto* desc = new QPlainTextEdit(nameGroup);
    desc->setObjectName(QStringLiteral("descField"));
    desc->setFixedSize(229, 85);
    desc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    desc->setTabChangesFocus(true);
    auto* descLabel = labelFor(desc, QStringLiteral("Description:"));
    descLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    g->addWidget(descLabel, 3, 0, 1, 2);
    g->addWidget(desc, 4, 0, 1, 2);

    // Labels above their lists here, to leave the lists their width.
    auto* graphics = groupWithGrid(QStringLiteral("[ Graphics ]"), this, g);
    QComboBox* invenArt = makeList("invenArtList", graphics);
    QComboBox* groundArt = makeList("groundArtList", graphics);
    int row = 0;
    for (QComboBox* list : {invenArt, groundArt}) {
        auto* label = labelFor(list, list->accessibleName());
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        g->addWidget(label, row++, 0);
        g->addWidget(list, row++, 0);
    }
    g->setRowStretch(row, 1);

    auto* typeGroup = groupWithGrid(QStringLiteral("[ Item type ]"), this, g);
    QComboBox* type = makeList("iTypeList", typeGroup);
    fill(type, kItemTypeNames, std::identity{});
    type->setCurrentIndex(-1); // the lists start without a choice
    QLineEdit* materialId = makeEdit("materialIDfield", typeGroup);
    QLineEdit* materialName =
        makeNameBox("materialNameField", typeGroup, QStringLiteral("Material:"));
    QLineEdit* weight = makeEdit("weightField", typeGroup);
    QLineEdit* price = makeEdit("priceField", typeGroup);
    row = 0;
    for (QWidget* w :
         std::initializer_list<QWidget*>{type, materialId, materialName, weight, price})
        place(g, w, row++, 0);
    g->setRowStretch(row, 1);

    QGroupBox* invGroup = pictureGroup(QStringLiteral("[ Inventory picture ]"), "invPic", this);
    QGroupBox* groundGroup = pictureGroup(QStringLiteral("[ Ground picture ]"), "groundPic", this);

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

WeaponPage::WeaponPage(QWidget* parent) : FormPage("weaponPage", Section::Weapon, parent) {
    QGridLayout* outer = pageGrid(this);
    QGridLayout* g = nullptr;

    auto* modes = groupWithGrid(QStringLiteral("[ Attack modes ]"), this, g);
    // Two rows: the mode, its range and its action points.
    const char* const rows[2][3] = {{"atkMode1List", "range1Field", "ap1field"},
                                    {"atkMode2List", "range2Field", "ap2field"}};
    for (int r = 0; r < 2; ++r) {
        QComboBox* mode = makeList(rows[r][0], modes);
        fill(mode, kAttackModeNames, std::identity{});
        mode->setCurrentIndex(-1);
        place(g, mode, r, 0);
        place(g, makeEdit(rows[r][1], modes), r, 1);
        place(g, makeEdit(rows[r][2], modes), r, 2);
    }
    g->setColumnStretch(1, 2);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(5, 1);

    auto* damage = groupWithGrid(QStringLiteral("[ Damage ]"), this, g);
    QLineEdit* minDmg = makeEdit("minDmgField", damage);
    QLineEdit* maxDmg = makeEdit("maxDmgField", damage);
    QLineEdit* typeId = makeEdit("damageTypeIDfield", damage);
    QLineEdit* typeName =
        makeNameBox("damageTypeNameField", damage, QStringLiteral("Damage type:"));
    place(g, minDmg, 0, 0);
    place(g, maxDmg, 0, 1);
    place(g, typeId, 1, 0);
    place(g, typeName, 1, 1);

    auto* misc = groupWithGrid(QStringLiteral("[ Miscellaneous ]"), this, g);
    QLineEdit* minST = makeEdit("minSTfield", misc);
    QLineEdit* reload = makeEdit("reloadAP", misc);
    place(g, minST, 0, 0);
    place(g, reload, 1, 0);

    auto* ammo = groupWithGrid(QStringLiteral("[ Ammo &]"), this, g);
    QLineEdit* ammoTypeId = makeEdit("ammoTypeIDfield", ammo);
    QLineEdit* ammoTypeName = makeNameBox("ammoTypeNameFIeld", ammo, QStringLiteral("Ammo type:"));
    QLineEdit* burst = makeEdit("burstAmmoField", ammo);
    QLineEdit* ammoId = makeEdit("ammoIDfield", ammo);
    QLineEdit* ammoName = makeNameBox("ammoNameField", ammo, QStringLiteral("Default ammo:"));
    QLineEdit* capacity = makeEdit("capacityField", ammo);
    place(g, ammoTypeId, 0, 0);
    place(g, ammoTypeName, 0, 1);
    place(g, burst, 0, 2);
    place(g, ammoId, 1, 0);
    place(g, ammoName, 1, 1);
    place(g, capacity, 1, 2);
    g->setColumnStretch(3, 2);

    auto* visuals = groupWithGrid(QStringLiteral("[ Visuals ]"), this, g);
    QComboBox* looks = makeList("looksList", visuals);
    fill(looks, kLooksNames, std::identity{});
    QComboBox* fireFile = makeList("fireFileList", visuals);
    std::array<int, kProjectileFileCount> positions{};
    std::iota(positions.begin(), positions.end(), 0);
    fill(fireFile, positions, projectileFileName);
    looks->setCurrentIndex(-1);
    fireFile->setCurrentIndex(-1);
    QLineEdit* fireArtId = makeEdit("fireArtIDField", visuals);
    QLineEdit* fireArtName =
        makeNameBox("fireArtNameField", visuals, QStringLiteral("Projectile:"));
    place(g, looks, 0, 0);
    place(g, fireFile, 0, 1);
    place(g, fireArtId, 1, 0);
    place(g, fireArtName, 1, 1);

    auto* sound = groupWithGrid(QStringLiteral("[ Sound ]"), this, g);
    place(g, makeEdit("fireSoundIDfield", sound), 0, 0);
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

ArmorPage::ArmorPage(QWidget* parent) : FormPage("armorPage", Section::Armor, parent) {
    QGridLayout* outer = pageGrid(this);
    QGridLayout* g = nullptr;

    // Both groups: Normal, Fire, Electric / Plasma, Laser, EMP / Explosions in the middle.
    const int places[7][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 1}};
    auto damageGroup = [&](const QString& caption, const char* const(&names)[7]) {
        auto* group = groupWithGrid(caption, this, g);
        for (int i = 0; i < 7; ++i)
            place(g, makeEdit(names[i], group), places[i][0], places[i][1]);
        return group;
    };
    const char* const drNames[7] = {"DRnormalField", "DRfireField",  "DRelectricField",
                                    "DRplasmaField", "DRlaserField", "DRempField",
                                    "DRexpField"};
    const char* const dtNames[7] = {"DTnormalField", "DTfireField",  "DTelectricField",
                                    "DTplasmaField", "DTlaserField", "DTempField",
                                    "DTexpField"};
    auto* resist = damageGroup(QStringLiteral("[ Damage Resistance %]"), drNames);
    auto* threshold = damageGroup(QStringLiteral("[ Damage Threshold ]"), dtNames);

    auto* misc = groupWithGrid(QStringLiteral("[ Misc. ]"), this, g);
    place(g, makeEdit("ACfield", misc), 0, 0);
    g->setRowStretch(1, 1);

    auto* visuals = groupWithGrid(QStringLiteral("[ Visuals ]"), this, g);
    QComboBox* maleLooks = makeList("maleLooksList", visuals);
    QLineEdit* maleDesc = makeNameBox("maleLooksDesc", visuals, QStringLiteral("Description:"));
    QComboBox* femaleLooks = makeList("femaleLooksList", visuals);
    QLineEdit* femaleDesc = makeNameBox("femaleLooksDesc", visuals, QStringLiteral("Description:"));
    place(g, maleLooks, 0, 0);
    place(g, maleDesc, 0, 1);
    place(g, femaleLooks, 1, 0);
    place(g, femaleDesc, 1, 1);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 2);

    outer->addWidget(resist, 0, 0);
    outer->addWidget(threshold, 0, 1);
    outer->addWidget(misc, 0, 2);
    outer->addWidget(visuals, 1, 0, 1, 3);
    outer->setRowStretch(2, 1);
}

ContainerPage::ContainerPage(QWidget* parent)
    : FormPage("containerPage", Section::Container, parent) {
    QGridLayout* outer = pageGrid(this);
    QGridLayout* g = nullptr;
    auto* misc = groupWithGrid(QStringLiteral("[ Miscellaneous ]"), this, g);
    place(g, makeEdit("containerCapacity", misc), 0, 0);
    outer->addWidget(misc, 0, 0);
    outer->setRowStretch(1, 1);
    outer->setColumnStretch(1, 1);
}

DrugPage::DrugPage(QWidget* parent) : FormPage("drugPage", Section::Drug, parent) {
    QGridLayout* outer = pageGrid(this);
    QGridLayout* g = nullptr;

    auto* effects = groupWithGrid(QStringLiteral("[ Effects ]"), this, g);
    QComboBox* const stats[3] = {makeList("statList1", effects), makeList("statList2", effects),
                                 makeList("statList3", effects)};
    // Rows are the statistics, columns the immediate, mid-term and long-term effects.
    const char* const cellNames[3][3] = {{"effectField11", "effectField21", "effectField31"},
                                         {"effectField12", "effectField22", "effectField32"},
                                         {"effectField13", "effectField23", "effectField33"}};
    QLineEdit* firstRow[3] = {};
    for (int row = 0; row < 3; ++row) {
        g->addWidget(labelFor(stats[row], stats[row]->accessibleName()), row + 1, 0);
        g->addWidget(stats[row], row + 1, 1);
        for (int col = 0; col < 3; ++col) {
            QLineEdit* cell = makeEdit(cellNames[row][col], effects);
            if (row == 0)
                firstRow[col] = cell;
            g->addWidget(cell, row + 1, 2 + col);
        }
    }
    // Each column's caption stands above it as the first row's label.
    for (int col = 0; col < 3; ++col) {
        auto* caption = labelFor(firstRow[col], firstRow[col]->accessibleName());
        caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        g->addWidget(caption, 0, 2 + col);
    }
    // The two times in a fourth row, each with its label under its own column.
    QLineEdit* midTerm = makeEdit("midTermField", effects);
    QLineEdit* longTerm = makeEdit("longTermField", effects);
    for (const auto& [field, col] : {std::pair{midTerm, 3}, std::pair{longTerm, 4}}) {
        auto* time = new QHBoxLayout;
        time->setSpacing(4);
        time->addWidget(labelFor(field, field->accessibleName()));
        time->addWidget(field, 1);
        g->addLayout(time, 4, col);
    }
    for (int col = 1; col < 5; ++col)
        g->setColumnStretch(col, 1);

    auto* addiction = groupWithGrid(QStringLiteral("[ Addiction ]"), this, g);
    QComboBox* add = makeList("addList", addiction);
    fill(add, kAddictions, [](const Addiction& a) { return a.name; });
    add->setCurrentIndex(0); // the one list that starts with a choice: "None"
    QLineEdit* addictionChance = makeEdit("addictionField", addiction);
    QLineEdit* withdraw = makeEdit("withdrawField", addiction);
    place(g, add, 0, 0);
    place(g, addictionChance, 0, 1);
    place(g, withdraw, 0, 2);

    outer->addWidget(effects, 0, 0);
    outer->addWidget(addiction, 1, 0);
    outer->setRowStretch(2, 1);
}

AmmoPage::AmmoPage(QWidget* parent) : FormPage("ammoPage", Section::Ammo, parent) {
    QGridLayout* outer = pageGrid(this);
    QGridLayout* g = nullptr;
    auto* misc = groupWithGrid(QStringLiteral("[ Miscellaneous ]"), this, g);
    QComboBox* calibre = makeList("ammoTypeList", misc);
    QLineEdit* quantity = makeEdit("ammo_capacity", misc);
    place(g, calibre, 0, 0);
    place(g, quantity, 1, 0);

    auto* mods = groupWithGrid(QStringLiteral("[ Modifiers ]"), this, g);
    QLineEdit* acMod = makeEdit("ACmodField", mods);
    QLineEdit* drMod = makeEdit("DRmodField", mods);
    QLineEdit* acDmg = makeEdit("ACdmgMod", mods);
    QLineEdit* drDmg = makeEdit("DRdmgMod", mods);
    place(g, acMod, 0, 0);
    place(g, drMod, 1, 0);
    place(g, acDmg, 0, 1);
    place(g, drDmg, 1, 1);
    outer->addWidget(misc, 0, 0);
    outer->addWidget(mods, 0, 1);
    outer->setRowStretch(1, 1);
}

void addFormPages(QTabWidget* pages) {
    pages->addTab(new CommonPage(pages), QStringLiteral("Stats common to all items"));
    pages->addTab(new WeaponPage(pages), QStringLiteral("Weapon stats"));
    pages->addTab(new ArmorPage(pages), QStringLiteral("Armor stats"));
    pages->addTab(new ContainerPage(pages), QStringLiteral("Container stats"));
    pages->addTab(new DrugPage(pages), QStringLiteral("Drug/Medicine stats"));
    pages->addTab(new AmmoPage(pages), QStringLiteral("Ammunition stats"));
}

FormPage* formPageAt(const QTabWidget* pages, int index) {
    return qobject_cast<FormPage*>(pages->widget(index));
}

} // namespace zantor
