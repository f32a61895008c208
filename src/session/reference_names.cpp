// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/reference_names.h"

#include "texts/art.h"
#include "texts/item_texts.h"
#include "texts/references.h"

namespace zantor {

std::optional<std::string> markerCorrection(Refresh what, const RecordForm& form) {
    if (what == Refresh::DefaultAmmoName && isDefaultAmmoSentinel(form.text("ammoIDfield")))
        return std::string("0");
    return std::nullopt;
}

const std::string* artListFile(std::string_view control, const DerivedPaths& paths) {
    if (control == "groundArtList")
        return &paths.itemsLst;
    if (control == "invenArtList")
        return &paths.invenLst;
    if (control == "maleLooksList" || control == "femaleLooksList")
        return &paths.crittersLst;
    return nullptr;
}

namespace {

// A table as the editor reads it: by path, read afresh as each lookup goes, so a change
// on disk shows at once.
struct PathTables {
    const std::string* proto = nullptr;
    const std::string* proItem = nullptr;
    const std::string* crit = nullptr;
    const std::string* misc = nullptr;
};

std::string itemName(const std::string& proItemMsg, std::string_view textId) {
    return lookupName(proItemMsg, textId);
}
std::string itemName(const MessageSnapshot& proItem, std::string_view textId) {
    return proItem.lookup(textId);
}
std::string itemDescription(const std::string& proItemMsg, std::string_view textId) {
    return lookupDescription(proItemMsg, textId);
}
std::string itemDescription(const MessageSnapshot& proItem, std::string_view textId) {
    return proItem.lookup(descriptionId(textId));
}

// The one mapping from each name refresh to its table, its lookup and the control that
// shows the name, for tables read by path and tables read once alike.
template <class Tables>
void namesAfter(Refresh what, std::string_view text, int fireFilePosition, const Tables& t,
                const std::function<void(const ShownReference&)>& show) {
    switch (what) {
    case Refresh::NameAndDescription:
        if (t.proItem) {
            show({"nameField", itemName(*t.proItem, text)});
            show({"descField", itemDescription(*t.proItem, text)});
        }
        break;
    case Refresh::MaterialName:
        if (t.proto)
            show({"materialNameField", materialName(*t.proto, text)});
        break;
    case Refresh::DamageTypeName:
        if (t.proto)
            show({"damageTypeNameField", damageTypeName(*t.proto, text)});
        break;
    case Refresh::AmmoTypeName:
        if (t.proto)
            show({"ammoTypeNameFIeld", ammoTypeName(*t.proto, text)});
        break;
    case Refresh::DefaultAmmoName:
        if (t.proItem)
            show({"ammoNameField", defaultAmmoName(*t.proItem, text)});
        break;
    case Refresh::ProjectileName:
        if (t.crit && t.misc)
            show({"fireArtNameField", projectileName(*t.crit, *t.misc, fireFilePosition, text)});
        break;
    default:
        break;
    }
}

} // namespace

void lookUpNames(Refresh what, std::string_view text, int fireFilePosition,
                 const NameTables& tables, const std::function<void(const ShownReference&)>& show) {
    namesAfter(what, text, fireFilePosition, tables, show);
}

void lookUpReferences(Refresh what, const RecordForm& form, const DerivedPaths& paths,
                      const std::function<void(const ShownReference&)>& show) {
    const auto text = [&](std::string_view control) { return form.text(control); };
    const auto entry = [&](std::string_view control) { return form.listEntry(control); };
    const PathTables tables{.proto = &paths.protoMsg,
                            .proItem = &paths.proItemMsg,
                            .crit = &paths.proCritMsg,
                            .misc = &paths.proMiscMsg};
    const auto names = [&](std::string_view source, int fireFilePosition = -1) {
        namesAfter(what, text(source), fireFilePosition, tables, show);
    };
    switch (what) {
    case Refresh::NameAndDescription:
        names("textIDfield");
        break;
    case Refresh::GroundPreview:
        show({"groundPic", previewFile(paths.itemsLstFolder, entry("groundArtList")), true});
        break;
    case Refresh::InventoryPreview:
        show({"invPic", previewFile(paths.invenLstFolder, entry("invenArtList")), true});
        break;
    case Refresh::MaterialName:
        names("materialIDfield");
        break;
    case Refresh::DamageTypeName:
        names("damageTypeIDfield");
        break;
    case Refresh::AmmoTypeName:
        names("ammoTypeIDfield");
        break;
    case Refresh::DefaultAmmoName:
        // The marker shows as "0", and so does its name.
        namesAfter(what, markerCorrection(what, form).value_or(text("ammoIDfield")), -1, tables,
                   show);
        break;
    case Refresh::ProjectileName:
        names("fireArtIDField", form.position("fireFileList"));
        break;
    case Refresh::MaleLooks:
        show({"maleLooksDesc", looksDescription(entry("maleLooksList"))});
        break;
    case Refresh::FemaleLooks:
        show({"femaleLooksDesc", looksDescription(entry("femaleLooksList"))});
        break;
    case Refresh::None:
    case Refresh::PageStep:
    case Refresh::Enabling:
        break;
    }
}

} // namespace zantor
