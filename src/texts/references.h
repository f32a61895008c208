// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/message_lookup.h"

#include <string>
#include <string_view>
#include <vector>

namespace zantor {

// The names shown beside reference numbers. Each id is built from the field's text
// as written, without conversion, so a sign, a leading zero or a blank is part of
// it. Each throws Error as lookupMessage when its message file cannot be read.

/// Entry "10" + text of `proto.msg`; when that is empty and the text begins with
/// "-", entry "10".
std::string materialName(const std::string& protoMsg, std::string_view text);
/// Entry "25" + text of `proto.msg`.
std::string damageTypeName(const std::string& protoMsg, std::string_view text);
/// Entry "30" + text of `proto.msg` for a one-character text, else "3" + text.
std::string ammoTypeName(const std::string& protoMsg, std::string_view text);
/// Entry text + "00" of `pro_item.msg`. The caller first replaces the sentinel
/// text (see isDefaultAmmoSentinel) with "0".
std::string defaultAmmoName(const std::string& proItemMsg, std::string_view text);
/// True for "17821695", the default ammunition text that the editor shows as "0".
bool isDefaultAmmoSentinel(std::string_view text);
/// Entry text + "00" of `pro_Crit.msg` at projectile file position 1, of
/// `pro_Misc.msg` at 5; the empty text at any other position (no file is read).
std::string projectileName(const std::string& critMsg, const std::string& miscMsg,
                           int fireFilePosition, std::string_view text);

// The same names from message files read once (see MessageSnapshot), for naming the
// references of many items. Never throw.
std::string materialName(const MessageSnapshot& proto, std::string_view text);
std::string damageTypeName(const MessageSnapshot& proto, std::string_view text);
std::string ammoTypeName(const MessageSnapshot& proto, std::string_view text);
std::string defaultAmmoName(const MessageSnapshot& proItem, std::string_view text);
std::string projectileName(const MessageSnapshot& crit, const MessageSnapshot& misc,
                           int fireFilePosition, std::string_view text);

/// One entry per id from `firstId` to `lastId`: the message text, "" for an id
/// without an entry, so a position always stands for the same id. Reads the file
/// once. Throws Error as lookupMessage.
std::vector<std::string> messageEntries(const std::string& path, int firstId, int lastId);
/// The calibre list: `proto.msg` ids 300 to 318. Throws Error as lookupMessage.
std::vector<std::string> calibreEntries(const std::string& protoMsg);
/// A statistic list: "None", the `stat.msg` texts of ids 100 to 137, and, with
/// `withMinEntry` (the first list), "Min value of stat 2". Throws Error as lookupMessage.
std::vector<std::string> statEntries(const std::string& statMsg, bool withMinEntry);

/// A number field one step up (+1) or down (-1). Throws Error "'%s' is not a valid
/// integer value" (with the text) when it is not a whole number or the step would
/// leave the 32-bit range.
std::string stepNumber(std::string_view text, bool up);
/// The material field one step: the empty text stands between -1 and 1 (up: "" to
/// "1", "-1" to ""; down: "0" to "", "" to "-1"), else as stepNumber.
std::string stepMaterial(std::string_view text, bool up);

} // namespace zantor
