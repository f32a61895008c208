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

void lookUpReferences(Refresh what, const RecordForm& form, const DerivedPaths& paths,
                      const std::function<void(const ShownReference&)>& show) {
    const auto text = [&](std::string_view control) { return form.text(control); };
    const auto entry = [&](std::string_view control) { return form.listEntry(control); };
    switch (what) {
    case Refresh::NameAndDescription:
        show({"nameField", lookupName(paths.proItemMsg, text("textIDfield"))});
        show({"descField", lookupDescription(paths.proItemMsg, text("textIDfield"))});
        break;
    case Refresh::GroundPreview:
        show({"groundPic", previewFile(paths.itemsLstFolder, entry("groundArtList")), true});
        break;
    case Refresh::InventoryPreview:
        show({"invPic", previewFile(paths.invenLstFolder, entry("invenArtList")), true});
        break;
    case Refresh::MaterialName:
        show({"materialNameField", materialName(paths.protoMsg, text("materialIDfield"))});
        break;
    case Refresh::DamageTypeName:
        show({"damageTypeNameField", damageTypeName(paths.protoMsg, text("damageTypeIDfield"))});
        break;
    case Refresh::AmmoTypeName:
        show({"ammoTypeNameFIeld", ammoTypeName(paths.protoMsg, text("ammoTypeIDfield"))});
        break;
    case Refresh::DefaultAmmoName: {
        // The marker shows as "0", and so does its name.
        const std::string id = markerCorrection(what, form).value_or(text("ammoIDfield"));
        show({"ammoNameField", defaultAmmoName(paths.proItemMsg, id)});
        break;
    }
    case Refresh::ProjectileName:
        show({"fireArtNameField",
              projectileName(paths.proCritMsg, paths.proMiscMsg, form.position("fireFileList"),
                             text("fireArtIDField"))});
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
