// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.h"
#include "record/value_form.h"
#include "session/edit_session.h"
#include "session/reference_names.h"
#include "support/error_of.h"
#include "support/item_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

using namespace zantor;
using namespace zantor::test;

namespace {

constexpr const char* kMsg = "{100}{}{Knife}\r\n{101}{}{A small knife.}\r\n{000}{}{No ammo}\r\n";

// A weapon with text id 100 and the default ammunition marker, beside its pro_item.msg.
struct World {
    TempDir dir;
    std::string item;
    std::string msg;
    EditSession session;
    ValueForm form;

    explicit World(SavePolicy policy = {}) : session(policy) {
        Bytes bytes = makeItem(3, 122);
        put32(bytes, 4, 100);
        put32(bytes, 113, 17821695);
        item = dir.write("weapon.pro", bytes);
        msg = dir.write("pro_item.msg", std::string(kMsg));
        DerivedPaths paths;
        paths.setMsgFolder(dir.path().string());
        session.setPaths(paths);
        session.open(item);
        session.display(form);
        session.rememberName("Knife");
    }
};

} // namespace

TEST(EditSession, aFieldThatIsNotANumberStopsSaveBeforeEitherFileIsWritten) {
    for (const SaveKind kind : {SaveKind::Save, SaveKind::SaveAs}) {
        World w;
        const Bytes before = readAll(w.item);
        w.form.setText("priceField", "12x");
        const ItemTextsEdit texts{"100", "Blade", "Sharp."};
        const std::string target = w.dir.file("copy.pro");
        EXPECT_EQ(errorOf([&] { w.session.save(kind, w.form, &texts, target); }),
                  "'12x' is not a valid integer value");
        EXPECT_EQ(readText(w.msg), kMsg);
        EXPECT_EQ(readAll(w.item), before);
        EXPECT_FALSE(std::filesystem::exists(target));
        EXPECT_EQ(w.session.rememberedName(), "Knife");
    }
}

TEST(EditSession, saveWritesTheTextsThenTheItemAndRemembersTheName) {
    World w;
    w.form.setText("priceField", "77");
    w.session.markUnsaved();
    const ItemTextsEdit texts{"100", "Caf\u00E9 blade", "Sharp."};
    w.session.save(SaveKind::Save, w.form, &texts);
    EXPECT_EQ(readText(w.msg), "{100}{}{Caf\xE9 blade}\r\n{101}{}{Sharp.}\r\n{000}{}{No ammo}\r\n");
    EXPECT_EQ(get32(readAll(w.item), 48), 77);
    EXPECT_EQ(get32(Bytes(w.session.record().header.begin(), w.session.record().header.end()), 48),
              77);
    EXPECT_EQ(w.session.rememberedName(), "Caf\xE9 blade");
    EXPECT_TRUE(w.session.saved());
    EXPECT_TRUE(isReadOnly(w.item));
}

TEST(EditSession, withoutTextsThePolicyLeavesProItemMsgAlone) {
    World w(SavePolicy{.writeTexts = false});
    const ItemTextsEdit texts{"100", "Blade", "Sharp."};
    w.session.save(SaveKind::Save, w.form, &texts);
    EXPECT_EQ(readText(w.msg), kMsg);
}

TEST(EditSession, namesThatCannotBeStoredAreRefusedBeforeAnythingIsWritten) {
    const std::pair<ItemTextsEdit, const char*> cases[] = {
        {{"100", "Two\nlines", ""}, "The name is one line: it cannot hold a line break"},
        {{"100", "\u4E00", ""},
         "The name holds characters that the game's text tables cannot store: \u4E00"},
    };
    for (const auto& [texts, error] : cases) {
        World w;
        const Bytes before = readAll(w.item);
        EXPECT_EQ(errorOf([&] { w.session.save(SaveKind::Save, w.form, &texts); }), error);
        EXPECT_EQ(readText(w.msg), kMsg);
        EXPECT_EQ(readAll(w.item), before);
    }
}

TEST(EditSession, aFailedOpenKeepsTheOpenItem) {
    World w;
    const ItemRecord before = w.session.record();
    EXPECT_EQ(errorOf([&] { w.session.open(w.dir.write("short.pro", makeItem(3, 60))); }),
              "Read beyond end of file");
    EXPECT_EQ(w.session.openPath(), w.item);
    EXPECT_EQ(w.session.record().header, before.header);
}

TEST(ReferenceNames, theDefaultAmmunitionMarkerShowsAsZeroAndNamesEntryZero) {
    World w;
    EXPECT_EQ(markerCorrection(Refresh::DefaultAmmoName, w.form), "0");
    EXPECT_EQ(markerCorrection(Refresh::MaterialName, w.form), std::nullopt);
    std::map<std::string, std::string> shown;
    lookUpReferences(Refresh::DefaultAmmoName, w.form, w.session.paths(),
                     [&](const ShownReference& r) { shown[std::string(r.control)] = r.text; });
    EXPECT_EQ(shown, (std::map<std::string, std::string>{{"ammoNameField", "No ammo"}}));
    w.form.setText("ammoIDfield", "17821696");
    EXPECT_EQ(markerCorrection(Refresh::DefaultAmmoName, w.form), std::nullopt);
}

TEST(EditSession, saveRefusesAFileChangedSinceItWasReadUntilTheUserTookThatVersion) {
    TempDir dir;
    const Bytes first = makeItem(1, 65);
    Bytes other = first;
    put32(other, 48, 99);
    const std::string item = dir.write("c.pro", first);
    EditSession session(SavePolicy{false});
    session.open(item);
    ValueForm form;
    session.display(form);
    EXPECT_EQ(session.diskChange(), DiskChange::Same);

    dir.write("c.pro", other);
    EXPECT_EQ(session.diskChange(), DiskChange::Changed);
    EXPECT_NE(errorOf([&] { session.save(SaveKind::Save, form, nullptr); }).find("changed on disk"),
              std::string::npos);
    EXPECT_EQ(readAll(item), other);

    session.acceptDiskVersion(); // "Keep mine"
    session.save(SaveKind::Save, form, nullptr);
    EXPECT_EQ(readAll(item), first);
    EXPECT_EQ(session.diskChange(), DiskChange::Same); // our own write
}
