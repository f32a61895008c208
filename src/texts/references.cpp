// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/references.h"

#include "common/numbers.h"
#include "record/fields.h"
#include "texts/message_lookup.h"

#include <cstdint>

namespace zantor {

namespace {

constexpr std::string_view kDefaultAmmoSentinel = "17821695";
constexpr int kCritProjectiles = 1;
constexpr int kMiscProjectiles = 5;

std::string joined(std::string_view a, std::string_view b) {
    std::string s;
    s.reserve(a.size() + b.size());
    return s.append(a).append(b);
}

// Each name is built once, whatever the source of the messages: a file read anew
// for every lookup, or a file read once.
template <class Lookup> std::string materialNameWith(const Lookup& proto, std::string_view text) {
    std::string name = proto(joined("10", text));
    if (name.empty() && text.starts_with('-'))
        name = proto("10");
    return name;
}

template <class Lookup>
std::string projectileNameWith(const Lookup& crit, const Lookup& misc, int fireFilePosition,
                               std::string_view text) {
    if (fireFilePosition == kCritProjectiles)
        return crit(joined(text, "00"));
    if (fireFilePosition == kMiscProjectiles)
        return misc(joined(text, "00"));
    return {};
}

std::string ammoTypeId(std::string_view text) {
    return joined(text.size() == 1 ? "30" : "3", text);
}

auto fromFile(const std::string& path) {
    return [&path](const std::string& id) { return lookupMessage(path, id); };
}

auto fromSnapshot(const MessageSnapshot& file) {
    return [&file](const std::string& id) { return file.lookup(id); };
}

} // namespace

std::string materialName(const std::string& protoMsg, std::string_view text) {
    return materialNameWith(fromFile(protoMsg), text);
}

std::string damageTypeName(const std::string& protoMsg, std::string_view text) {
    return lookupMessage(protoMsg, joined("25", text));
}

std::string ammoTypeName(const std::string& protoMsg, std::string_view text) {
    return lookupMessage(protoMsg, ammoTypeId(text));
}

std::string defaultAmmoName(const std::string& proItemMsg, std::string_view text) {
    return lookupMessage(proItemMsg, joined(text, "00"));
}

bool isDefaultAmmoSentinel(std::string_view text) {
    return text == kDefaultAmmoSentinel;
}

std::string projectileName(const std::string& critMsg, const std::string& miscMsg,
                           int fireFilePosition, std::string_view text) {
    return projectileNameWith(fromFile(critMsg), fromFile(miscMsg), fireFilePosition, text);
}

std::string materialName(const MessageSnapshot& proto, std::string_view text) {
    return materialNameWith(fromSnapshot(proto), text);
}

std::string damageTypeName(const MessageSnapshot& proto, std::string_view text) {
    return proto.lookup(joined("25", text));
}

std::string ammoTypeName(const MessageSnapshot& proto, std::string_view text) {
    return proto.lookup(ammoTypeId(text));
}

std::string defaultAmmoName(const MessageSnapshot& proItem, std::string_view text) {
    return proItem.lookup(joined(text, "00"));
}

std::string projectileName(const MessageSnapshot& crit, const MessageSnapshot& misc,
                           int fireFilePosition, std::string_view text) {
    return projectileNameWith(fromSnapshot(crit), fromSnapshot(misc), fireFilePosition, text);
}

std::vector<std::string> messageEntries(const std::string& path, int firstId, int lastId) {
    std::vector<std::string> entries;
    if (firstId > lastId)
        return entries;
    const MessageSnapshot file(path);
    entries.reserve(static_cast<std::size_t>(std::int64_t{lastId} - firstId + 1));
    for (std::int64_t id = firstId; id <= lastId; ++id)
        entries.push_back(file.lookup(std::to_string(id)));
    return entries;
}

std::vector<std::string> calibreEntries(const std::string& protoMsg) {
    return messageEntries(protoMsg, kCalibreFirstId, kCalibreLastId);
}

std::vector<std::string> statEntries(const std::string& statMsg, bool withMinEntry) {
    std::vector<std::string> entries{std::string(kStatNone)};
    for (std::string& text : messageEntries(statMsg, kStatFirstId, kStatLastId))
        entries.push_back(std::move(text));
    if (withMinEntry)
        entries.emplace_back(kStatMinOfStat2);
    return entries;
}

std::string stepNumber(std::string_view text, bool up) {
    return std::to_string(addChecked(toInt(text), up ? 1 : -1, text));
}

std::string stepMaterial(std::string_view text, bool up) {
    if (up && text.empty())
        return "1";
    if (up && text == "-1")
        return "";
    if (!up && text == "0")
        return "";
    if (!up && text.empty())
        return "-1";
    return stepNumber(text, up);
}

} // namespace zantor
