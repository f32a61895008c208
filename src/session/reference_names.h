// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record/fields.h"
#include "record/record_form.h"
#include "settings/settings.h"
#include "texts/message_lookup.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zantor {

// What the editor shows beside a field: the one mapping from each refresh of the field
// tables to its lookup, for every front end.

// One text shown beside a field: a name, description or looks text (Windows-1252 bytes
// as the table holds them), or the path of the picture a preview shows.
struct ShownReference {
    std::string_view control; // the control that shows it
    std::string text;
    bool isPicture = false;
};

/// The default ammunition marker: "17821695" in ammoIDfield is shown as "0". After
/// Refresh::DefaultAmmoName, the text that field must show instead of its own, or
/// nothing. Reads no file.
std::optional<std::string> markerCorrection(Refresh what, const RecordForm& form);

/// Looks up the names, descriptions, pictures and looks texts that follow a refresh,
/// from the form's fields as they are now, and hands each to `show` as soon as it is
/// found (a field that `show` fills may be read by the next lookup): nothing for
/// refreshes that are not lookups. A list entry is the form's listEntry. Throws Error
/// as the message lookup or list reading; what was shown before stays shown.
void lookUpReferences(Refresh what, const RecordForm& form, const DerivedPaths& paths,
                      const std::function<void(const ShownReference&)>& show);

// The message tables of the names beside fields, each read once, as a check of many
// items reads them; a table that is not at hand (nullptr) names nothing.
struct NameTables {
    const MessageSnapshot* proto = nullptr;
    const MessageSnapshot* proItem = nullptr;
    const MessageSnapshot* crit = nullptr;
    const MessageSnapshot* misc = nullptr;
};

/// The names that follow a refresh, as lookUpReferences finds them, for the text of the
/// field that the refresh follows (the text id; a material, damage type, ammo type or
/// default ammo number, the marker already corrected; a projectile id, with the
/// projectile file list's position), from tables read once. Each goes to `show` under the
/// control that shows it; nothing for refreshes that name nothing or whose table is not
/// at hand. Throws Error only for a text id that is not a whole number.
void lookUpNames(Refresh what, std::string_view text, int fireFilePosition,
                 const NameTables& tables, const std::function<void(const ShownReference&)>& show);

/// The art list file whose lines fill a list control (groundArtList, invenArtList,
/// maleLooksList, femaleLooksList), or nullptr for other controls.
const std::string* artListFile(std::string_view control, const DerivedPaths& paths);

/// The controls filled from art list files, in the order the window fills them.
inline constexpr std::string_view kArtListControls[] = {"groundArtList", "invenArtList",
                                                        "maleLooksList", "femaleLooksList"};

} // namespace zantor
