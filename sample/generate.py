#!/usr/bin/env python3
"""Builds the sample world that `./run` opens: item files in items/ and the text
tables, art lists and preview bitmaps in files/. Every name is invented.

    python3 sample/generate.py            rewrites sample/items and sample/files
    python3 sample/generate.py --out DIR  writes DIR/items and DIR/files instead
    python3 sample/generate.py --findings prints what `zantor-cli check` must find

The output depends on nothing but this file, so the committed sample can be checked
against a fresh run byte for byte. To grow the world, add a row to ITEMS (and, for new
pictures or looks, to the art lists below) and run the script again."""

import argparse
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# Type byte -> length of the section after the 57-byte header (misc: given per item).
SECTION_LENGTH = {0: 72, 1: 8, 2: 68, 3: 65, 4: 24, 6: 4}
HEADER_LENGTH = 57
TEXT_ID_STEP = 100  # item n has the text id n * 100: name at n00, description at n01


def be32(value):
    return struct.pack(">i", value)


def be24(value):
    return struct.pack(">I", value)[1:]


class Bytes:
    """A zero-filled block addressed by file offsets (a section starts at offset 57)."""

    def __init__(self, length, base=0):
        self.data = bytearray(length)
        self.base = base

    def put(self, offset, width, value):
        at = offset - self.base
        if width == 4:
            self.data[at:at + 4] = be32(value)
        elif width == 3:
            self.data[at:at + 3] = be24(value)
        else:
            self.data[at] = value & 0xFF
        return self


# --- The type sections; keyword names follow the editor's labels. ---

def armor(ac, resist, threshold, male, female, perk=-1, looks_codes=(1, 1)):
    """resist and threshold: normal, laser, fire, plasma, electric, EMP, explosions."""
    s = Bytes(SECTION_LENGTH[0], HEADER_LENGTH).put(57, 4, ac)
    for i, value in enumerate(resist):
        s.put(61 + 4 * i, 4, value)
    for i, value in enumerate(threshold):
        s.put(89 + 4 * i, 4, value)
    s.put(117, 4, perk)  # kept by the editor
    s.put(121, 1, looks_codes[0]).put(122, 3, male)
    s.put(125, 1, looks_codes[1]).put(126, 3, female)
    return s.data


def container(capacity, flags=0):
    return Bytes(SECTION_LENGTH[1], HEADER_LENGTH).put(57, 4, capacity).put(61, 4, flags).data


ADDICTION = {"none": 0, "fizz": 53, "brawn": 54, "focus": 55, "rage": 56, "purge": 57,
             "rush": 70}


def drug(stats, now, mid, late, mid_time, long_time, chance, addiction, withdraw):
    """stats: three statistic numbers (-1 none, -2 "min value of stat 2" in the first);
    now, mid, late: the three effects of each statistic at each stage; addiction: a
    code (an int, which may be one the editor's list does not know)."""
    s = Bytes(SECTION_LENGTH[2], HEADER_LENGTH)
    for i, value in enumerate(stats):
        s.put(57 + 4 * i, 4, value)
    for i, value in enumerate(now):
        s.put(69 + 4 * i, 4, value)
    s.put(81, 4, mid_time)
    for i, value in enumerate(mid):
        s.put(85 + 4 * i, 4, value)
    s.put(97, 4, long_time)
    for i, value in enumerate(late):
        s.put(101 + 4 * i, 4, value)
    s.put(113, 4, chance).put(117, 4, addiction).put(121, 4, withdraw)
    return s.data


NO_PROJECTILE = 255  # the projectile file byte for melee and thrown weapons
PRO_CRIT, PRO_MISC = 1, 5


def weapon(looks, damage, damage_type, ranges, ap, min_st, reload=0, burst=0, calibre=0,
           default_ammo=0, capacity=0, sound=0, projectile=(NO_PROJECTILE, 0), anim=0,
           critical_fail=0):
    """ranges and ap: (attack mode in the low 4 bits, attack mode in the high 4 bits)."""
    s = Bytes(SECTION_LENGTH[3], HEADER_LENGTH)
    s.put(57, 3, anim)  # kept
    s.put(60, 1, looks).put(61, 4, damage[0]).put(65, 4, damage[1])
    s.put(72, 1, damage_type)
    s.put(73, 4, ranges[0]).put(77, 4, ranges[1])
    s.put(81, 1, projectile[0]).put(82, 3, projectile[1])
    s.put(85, 4, min_st).put(89, 4, ap[0]).put(93, 4, ap[1]).put(97, 4, reload)
    s.put(101, 4, critical_fail)  # kept
    s.put(105, 4, burst).put(109, 4, calibre).put(113, 4, default_ammo)
    s.put(117, 4, capacity).put(121, 1, sound)
    return s.data


def ammo(calibre, per_magazine, ac_mod, dr_mod, ac_damage, dr_damage):
    return (Bytes(SECTION_LENGTH[4], HEADER_LENGTH).put(57, 4, calibre).put(61, 4, per_magazine)
            .put(65, 4, ac_mod).put(69, 4, dr_mod).put(73, 4, ac_damage).put(77, 4, dr_damage)
            .data)


def misc(length, seed):
    """The misc remainder: bytes the editor keeps as they are."""
    return bytes((seed + 37 * i) & 0xFF for i in range(length))


def key(lock):
    return Bytes(SECTION_LENGTH[6], HEADER_LENGTH).put(57, 4, lock).data


TYPE_BYTE = {armor: 0, container: 1, drug: 2, weapon: 3, ammo: 4, misc: 5, key: 6}


def attack(low, high):
    """The attack-mode byte: the mode shown first in the low 4 bits."""
    return high * 16 + low


NONE, PUNCH, SWING, THRUST, THROW, SINGLE, BURST, FLAME = 0, 1, 3, 4, 5, 6, 7, 8


# --- The world. ---

# Ground pictures (items.lst) and inventory pictures (inven.lst): one line each. A
# preview bitmap is drawn for the entries given a shape; the others show noArt.bmp.
GROUND = [
    ("quilted.frm", "coat"), ("scale.frm", "coat"), ("mosscloak.frm", None),
    ("plate.frm", "coat"), ("bark.frm", None), ("strongbx.frm", "box"), ("hamper.frm", "box"),
    ("big chest.frm", "box"), ("urn.frm", None), ("tonic.frm", "flask"), ("salve.frm", "flask"),
    ("snuff.frm", "pile"), ("cleaver.frm", "blade"), ("repeater.frm", "gun"), ("musket.frm", "gun"),
    ("hatchet.frm", "blade"), ("net.frm", None), ("lance.frm", "gun"), ("bombard.frm", None),
    ("slugs.frm", "pile"), ("darts.frm", "pile"), ("pebbles.frm", None), ("trinket.frm", "ring"),
    ("ROPE.FRM", "ring"), ("key.frm", "key"),
]
INVEN = [
    ("iquilt.frm", "coat"), ("iscale.frm", "coat"), ("imoss.frm", None), ("iplate.frm", "coat"),
    ("ibox.frm", "box"), ("ihamper.frm", None), ("itonic.frm", "flask"), ("isalve.frm", "flask"),
    ("ibrew.frm", "flask"), ("icleav.frm", "blade"), ("irepeat.frm", "gun"), ("ihatch.frm", "blade"),
    ("ilance.frm", "gun"), ("ibomb.frm", None), ("islugs.frm", "pile"), ("idarts.frm", None),
    ("icog.frm", "ring"), ("isundial.frm", "ring"), ("ikey.frm", "key"), ("ikeybig.frm", None),
]
# Critter looks: kind (h, n, m; r for none) and gender (m, f, a) letters, then a name.
CRITTERS = ["hmwarden", "hfwarden", "hmquilt", "hfquilt", "hmscale", "hfscale", "nmsmith",
            "nfherbal", "nmguard", "nfguard", "mamoss", "maclay", "rezzzz", "xyabc", "hmrobe",
            "hfrobe"]


def ground(entry):
    return [e for e, _ in GROUND].index(entry)


def inven(entry):
    return [e for e, _ in INVEN].index(entry)


def looks(entry):
    return CRITTERS.index(entry)


MATERIALS = {-1: None, 0: "Iron", 1: "Brass", 2: "Oak", 3: "Hide", 4: "Felt", 5: "Bone",
             6: "Clay", 7: "Crystal"}
NO_MATERIAL_NAME = "Unknown stuff"  # entry 10: what an empty or negative material shows
DAMAGE_TYPES = ["Blunt", "Edge", "Flame", "Acid", "Shock", "Frost", "Blast"]
CALIBRES = ["None", "Light Slug", "Heavy Slug", "Pellet", "Bolt", "Spike", "Cell", "Dart",
            "Shell", "Needle", "Pebble", "Rivet", "Flare", "Charge", "Nail", "Shard", "Spark",
            "Coil", "Thorn"]
STATS = ["Brawn", "Reflex", "Focus", "Grit", "Guile", "Composure", "Stride", "Vigour", "Breath",
         "Stamina", "Wound mending", "Sight range", "Carry load", "Dodge", "Heat ward",
         "Frost ward", "Venom ward", "Spark ward", "Rot ward", "Blade skill", "Club skill",
         "Sling skill", "Bow skill", "Fist skill", "Lockcraft", "Stealth", "Haggling",
         "Herb lore", "Tinkering", "Tracking", "Climbing", "Swimming", "Riding", "Singing",
         "Reading", "Sleep", "Hunger", "Age"]
CRIT_PROJECTILES = {1: "Spark Bolt", 2: "Flint Shot", 3: "Iron Ball", 4: "Thorn Dart"}
MISC_PROJECTILES = {1: "Cinder Spray", 2: "Flare Puff"}

S = {name: i for i, name in enumerate(STATS)}
MIN_OF_STAT_2, NO_STAT = -2, -1


def item(number, file_name, name, description, section, ground_pic, inven_pic, material,
         weight, price, attack_modes=0, inven_code=7, light=(0, 0), flags=0, volume=0):
    return dict(number=number, file=file_name, name=name, desc=description, section=section,
                ground=ground_pic, inven=inven_pic, material=material, weight=weight,
                price=price, attack=attack_modes, inven_code=inven_code, light=light,
                flags=flags, volume=volume)


ITEMS = [
    # Armor: negative resistances, looks of every kind, a perk number kept as -1 or not.
    item(1, "ARMOR001.pro", "Quilted Jerkin", "Layers of felt stitched into a coat.",
         (armor, dict(ac=8, resist=[10, 5, 5, 10, 5, 5, 10], threshold=[1, 0, 0, 1, 0, 0, 1],
                      male=looks("hmquilt"), female=looks("hfquilt"))),
         ground("quilted.frm"), inven("iquilt.frm"), 4, 15, 90, volume=10),
    item(2, "ARMOR002.pro", "Scale Hauberk", "Overlapping plates on a leather back.",
         (armor, dict(ac=20, resist=[25, 15, 20, 15, 10, 30, 25],
                      threshold=[4, 2, 3, 2, 1, 0, 3], male=looks("hmscale"),
                      female=looks("hfscale"))),
         ground("scale.frm"), inven("iscale.frm"), 1, 35, 450, volume=20),
    item(3, "ARMOR003.pro", "Moss Cloak", "Damp, green and oddly warm. Burns well.",
         (armor, dict(ac=5, resist=[5, 0, -20, 0, 10, 0, 0], threshold=[0, 0, -2, 0, 0, 0, 0],
                      male=looks("mamoss"), female=looks("mamoss"))),
         ground("mosscloak.frm"), inven("imoss.frm"), 3, 6, 30, volume=8),
    item(4, "ARMOR004.pro", "Riveted Plate", "Heavy enough to stop a cart.",
         (armor, dict(ac=40, resist=[40, 30, 25, 20, 0, 50, 45],
                      threshold=[8, 6, 5, 4, 0, 10, 9], male=looks("hmwarden"),
                      female=looks("hfwarden"), perk=12)),
         ground("plate.frm"), inven("iplate.frm"), 0, 45, 1200, volume=25),
    item(5, "armor005.pro", "Bark Vest", "Strips of oak bark laced with gut.",
         (armor, dict(ac=6, resist=[8, 0, -10, 0, 20, 0, 5], threshold=[1, 0, 0, 0, 2, 0, 0],
                      male=looks("nmsmith"), female=looks("nfherbal"))),
         ground("bark.frm"), inven("iquilt.frm"), 2, 10, 55, volume=12),
    # Type codes that are not the usual ones: Save writes 7 and 1 back.
    item(6, "ARMOR006.pro", "Felt Smock", "A smock. It has seen better days.",
         (armor, dict(ac=2, resist=[2, 0, 0, 0, 0, 0, 0], threshold=[0, 0, 0, 0, 0, 0, 0],
                      male=looks("rezzzz"), female=looks("xyabc"), looks_codes=(0, 3))),
         ground("quilted.frm"), inven("iquilt.frm"), 4, 3, 8, inven_code=0, volume=6),

    # Containers.
    item(7, "CONTNR01.pro", "Brass Strongbox", "A heavy box with a stubborn lock.",
         (container, dict(capacity=120, flags=1)),
         ground("strongbx.frm"), inven("ibox.frm"), 1, 20, 60, volume=30),
    item(8, "CONTNR02.pro", "Wicker Hamper", "Smells of bread and old apples.",
         (container, dict(capacity=40)),
         ground("hamper.frm"), inven("ihamper.frm"), 2, 4, 12, volume=18),
    item(9, "CONTNR03.pro", "Sea Chest", "Salt-stained, with rope handles.",
         (container, dict(capacity=250, flags=9)),
         ground("big chest.frm"), inven("ibox.frm"), 2, 30, 75, volume=60),
    item(10, "CONTNR04.pro", "Cracked Urn", "It holds nothing any more.",
         (container, dict(capacity=-1)),
         ground("urn.frm"), inven("ibox.frm"), 6, 8, 2, volume=14),

    # Drugs: "min value of stat 2", "none" statistics, every addiction plus unknown codes.
    item(11, "DRUG0001.pro", "Bitterroot Tonic", "Clears the head, then clouds it.",
         (drug, dict(stats=[S["Focus"], S["Breath"], NO_STAT], now=[2, -1, 0], mid=[-1, 0, 0],
                     late=[0, 0, 0], mid_time=60, long_time=240, chance=10,
                     addiction=ADDICTION["fizz"], withdraw=1440)),
         ground("tonic.frm"), inven("itonic.frm"), 7, 1, 40, volume=1),
    item(12, "DRUG0002.pro", "Ember Draught", "Burns going down; you fight harder for it.",
         (drug, dict(stats=[MIN_OF_STAT_2, S["Brawn"], S["Stride"]], now=[1, 2, 3],
                     mid=[0, -1, 0], late=[0, 0, -2], mid_time=120, long_time=480, chance=25,
                     addiction=60, withdraw=2880)),
         ground("tonic.frm"), inven("itonic.frm"), 7, 1, 75, volume=1),
    item(13, "DRUG0003.pro", "Cr\u00e8me Salve", "Rub it in and count to ten.",
         (drug, dict(stats=[S["Wound mending"], NO_STAT, NO_STAT], now=[10, 0, 0],
                     mid=[0, 0, 0], late=[0, 0, 0], mid_time=0, long_time=0, chance=0,
                     addiction=ADDICTION["none"], withdraw=0)),
         ground("salve.frm"), inven("isalve.frm"), 6, 1, 25, volume=1),
    item(14, "DRUG0004.pro", "Nightcap Brew", "Sleep comes quickly. Waking does not.",
         (drug, dict(stats=[S["Sleep"], S["Hunger"], S["Age"]], now=[5, -3, 0],
                     mid=[2, -1, 0], late=[0, 0, 1], mid_time=30, long_time=600, chance=50,
                     addiction=ADDICTION["rush"], withdraw=4320)),
         ground("tonic.frm"), inven("ibrew.frm"), 7, 2, 18, volume=2),
    item(15, "DRUG0005.pro", "Marsh Lichen", "Chew slowly. Do not swallow.",
         (drug, dict(stats=[MIN_OF_STAT_2, S["Reflex"], S["Venom ward"]], now=[3, 1, 15],
                     mid=[0, 0, 5], late=[0, -1, 0], mid_time=90, long_time=360, chance=5,
                     addiction=ADDICTION["brawn"], withdraw=720)),
         ground("snuff.frm"), inven("ibrew.frm"), -1, 0, 9, volume=1),
    item(16, "drug0006.pro", "Sugared Pith", "Sweet, sticky and quite harmless.",
         (drug, dict(stats=[NO_STAT, NO_STAT, NO_STAT], now=[0, 0, 0], mid=[0, 0, 0],
                     late=[0, 0, 0], mid_time=0, long_time=0, chance=0,
                     addiction=ADDICTION["purge"], withdraw=0)),
         ground("salve.frm"), inven("isalve.frm"), 2, 0, 3, volume=1),
    item(17, "DRUG0007.PRO", "Ashleaf Snuff", "One pinch wakes you; two make you sneeze.",
         (drug, dict(stats=[S["Composure"], S["Sight range"], S["Guile"]], now=[-2, -1, 2],
                     mid=[-1, -1, 1], late=[-1, 0, 0], mid_time=15, long_time=45, chance=35,
                     addiction=ADDICTION["focus"], withdraw=-1)),
         ground("snuff.frm"), inven("ibrew.frm"), 2, 0, 22, volume=1),
    item(18, "DRUG0008.pro", "Grey Pastille", "Tastes of chalk and regret.",
         (drug, dict(stats=[S["Grit"], S["Stamina"], NO_STAT], now=[1, 1, 0], mid=[0, 0, 0],
                     late=[0, 0, 0], mid_time=10, long_time=20, chance=15,
                     addiction=ADDICTION["rage"], withdraw=100)),
         ground("salve.frm"), inven("isalve.frm"), 6, 0, 11, volume=1),

    # Weapons: attack-mode pairs in both orders, "none" in either row, the empty code 2,
    # projectiles from both tables, a default ammo number the editor turns into 0.
    item(19, "WEAPON01.pro", "Hooked Cleaver", "A butcher's blade with a wicked hook.",
         (weapon, dict(looks=1, damage=(3, 9), damage_type=1, ranges=(1, 1), ap=(3, 4),
                       min_st=3, sound=48)),
         ground("cleaver.frm"), inven("icleav.frm"), 0, 3, 120, attack(SWING, THRUST),
         volume=3),
    item(20, "WEAPON02.pro", "Flint Repeater", "Fires in short bursts when it fires at all.",
         (weapon, dict(looks=6, damage=(8, 16), damage_type=0, ranges=(25, 20), ap=(5, 6),
                       min_st=5, reload=2, burst=5, calibre=1, default_ammo=28, capacity=20,
                       sound=65, projectile=(PRO_CRIT, 2))),
         ground("repeater.frm"), inven("irepeat.frm"), 0, 9, 900, attack(SINGLE, BURST),
         volume=5),
    item(21, "WEAPON03.pro", "Chain Musket", "Two barrels, one temper.",
         (weapon, dict(looks=7, damage=(12, 22), damage_type=0, ranges=(18, 30), ap=(7, 5),
                       min_st=6, reload=3, burst=3, calibre=2, default_ammo=29, capacity=6,
                       sound=66, projectile=(PRO_CRIT, 3))),
         ground("musket.frm"), inven("irepeat.frm"), 0, 12, 1100, attack(BURST, SINGLE),
         volume=6),
    item(22, "WEAPON04.pro", "Throwing Hatchet", "Balanced for the air, not the hand.",
         (weapon, dict(looks=3, damage=(4, 10), damage_type=1, ranges=(0, 12), ap=(0, 4),
                       min_st=4)),
         ground("hatchet.frm"), inven("ihatch.frm"), 2, 2, 45, attack(NONE, THROW), volume=2),
    item(23, "WEAPON05.pro", "Weighted Net", "For catching things that bite.",
         (weapon, dict(looks=0, damage=(0, 2), damage_type=0, ranges=(8, 0), ap=(5, 0),
                       min_st=2, anim=3)),
         ground("net.frm"), inven("ihatch.frm"), 3, 4, 30, attack(THROW, NONE), volume=4),
    item(24, "WEAPON06.pro", "Cinder Lance", "Spits burning oil a good ten paces.",
         (weapon, dict(looks=8, damage=(10, 25), damage_type=2, ranges=(10, 0), ap=(6, 0),
                       min_st=6, reload=4, burst=10, calibre=13, default_ammo=30, capacity=30,
                       sound=70, projectile=(PRO_MISC, 1), critical_fail=2)),
         ground("lance.frm"), inven("ilance.frm"), 1, 20, 2400, attack(FLAME, NONE),
         volume=9),
    item(25, "WEAPON07.pro", "Coil Crossbow", "Winds itself, mostly.",
         (weapon, dict(looks=7, damage=(6, 14), damage_type=4, ranges=(0, 28), ap=(4, 5),
                       min_st=4, reload=2, calibre=18, default_ammo=31, capacity=1,
                       sound=44, projectile=(PRO_CRIT, 4))),
         ground("repeater.frm"), inven("irepeat.frm"), 5, 7, 640, attack(2, SINGLE),
         volume=5),
    item(26, "WEAPON08.pro", "Hand Bombard", "Loud, slow and very persuasive.",
         (weapon, dict(looks=10, damage=(20, 45), damage_type=6, ranges=(15, 0), ap=(8, 0),
                       min_st=8, reload=5, calibre=8, default_ammo=17821695, capacity=1,
                       sound=80, projectile=(PRO_MISC, 2))),
         ground("bombard.frm"), inven("ibomb.frm"), 0, 25, 3000, attack(SINGLE, NONE),
         volume=12),
    item(27, "weapon09.pro", "Iron Knuckles", "Four rings and a bad idea.",
         (weapon, dict(looks=0, damage=(1, 4), damage_type=0, ranges=(1, 1), ap=(2, 3),
                       min_st=1, sound=1)),
         ground("trinket.frm"), inven("icog.frm"), 0, 1, 15, attack(SWING, PUNCH), volume=1),

    # Ammunition: the first and last calibres, negative modifiers.
    item(28, "AMMO0001.pro", "Brass Slugs", "A box of heavy, hand-cast slugs.",
         (ammo, dict(calibre=1, per_magazine=20, ac_mod=0, dr_mod=-10, ac_damage=1,
                     dr_damage=1)),
         ground("slugs.frm"), inven("islugs.frm"), 1, 1, 40, volume=1),
    item(29, "AMMO0002.pro", "Heavy Slugs", "Each one the size of a thumb.",
         (ammo, dict(calibre=2, per_magazine=6, ac_mod=-5, dr_mod=15, ac_damage=2,
                     dr_damage=1)),
         ground("slugs.frm"), inven("islugs.frm"), 0, 2, 60, volume=1),
    item(30, "AMMO0003.pro", "Oil Flasks", "Keep away from the cook.",
         (ammo, dict(calibre=13, per_magazine=30, ac_mod=0, dr_mod=0, ac_damage=1,
                     dr_damage=1)),
         ground("pebbles.frm"), inven("idarts.frm"), 6, 3, 90, volume=2),
    item(31, "AMMO0004.pro", "Thorn Darts", "Tipped with something unpleasant.",
         (ammo, dict(calibre=18, per_magazine=1, ac_mod=-20, dr_mod=-35, ac_damage=3,
                     dr_damage=2)),
         ground("darts.frm"), inven("idarts.frm"), 2, 0, 25, volume=1),
    item(32, "ammo0005.pro", "Loose Pebbles", "Free, if you bend down.",
         (ammo, dict(calibre=0, per_magazine=0, ac_mod=0, dr_mod=0, ac_damage=1,
                     dr_damage=1)),
         ground("pebbles.frm"), inven("idarts.frm"), -1, 1, 0, volume=1),

    # Misc items of several lengths (the remainder is kept as it is); one long file name.
    item(33, "MISC0001.pro", "Cog Charm", "A charm made from a gear tooth.",
         (misc, dict(length=13, seed=1)), ground("trinket.frm"), inven("icog.frm"), 1, 1, 5,
         volume=1),
    item(34, "MISC0002.pro", "Bent Spoon", "Good for nothing but stirring.",
         (misc, dict(length=4, seed=9)), ground("trinket.frm"), inven("icog.frm"), 0, 0, 1,
         volume=1),
    item(35, "MISC0003.pro", "Music Box", "Plays half a tune, then sulks.",
         (misc, dict(length=255, seed=200)), ground("strongbx.frm"), inven("ibox.frm"), 2, 2,
         80, light=(4, 30000), volume=3),
    item(36, "pocket_sundial.pro", "Pocket Sundial", "Accurate on sunny days only.",
         (misc, dict(length=40, seed=77)), ground("trinket.frm"), inven("isundial.frm"), 1, 0,
         35, volume=1),
    item(37, "MISC0005.pro", "Rope Coil", "Forty feet of hemp.\r\nKnotted every yard.",
         (misc, dict(length=100, seed=3)), ground("ROPE.FRM"), inven("icog.frm"), 4, 5, 10,
         volume=4),

    # Keys: one upper-case extension.
    item(38, "KEY00001.pro", "Ward Key", "Opens the old ward gate.", (key, dict(lock=77)),
         ground("key.frm"), inven("ikey.frm"), 0, 0, 0, flags=0x10, volume=1),
    item(39, "KEY00002.PRO", "Cellar Key", "Cold, and smells of turnips.", (key, dict(lock=78)),
         ground("key.frm"), inven("ikeybig.frm"), 0, 0, 0, volume=1),
    item(40, "KEY00003.pro", "Skeleton Key", "Fits more locks than it should.",
         (key, dict(lock=-1)), ground("key.frm"), inven("ikey.frm"), 5, 0, 150, volume=1),
]


def item_bytes(it):
    kind, fields = it["section"]
    h = Bytes(HEADER_LENGTH)
    h.put(0, 4, it["number"]).put(4, 4, it["number"] * TEXT_ID_STEP).put(8, 4, it["ground"])
    h.put(12, 4, it["light"][0]).put(16, 4, it["light"][1])  # kept
    h.put(20, 4, it["flags"])  # kept
    h.put(27, 1, it["attack"])
    h.put(32, 4, TYPE_BYTE[kind])
    h.put(36, 4, it["material"]).put(40, 4, it["volume"])  # 40: kept
    h.put(44, 4, it["weight"]).put(48, 4, it["price"])
    h.put(52, 1, it["inven_code"]).put(53, 3, it["inven"])
    return bytes(h.data) + bytes(kind(**fields))


# --- Text tables and lists: CR LF lines, Windows-1252. ---

def msg(entries):
    lines = ["# Zantor sample table; every text invented."]
    lines += ["{%d}{}{%s}" % (k, v) for k, v in sorted(entries.items())]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def lst(entries):
    return ("\r\n".join(entries) + "\r\n").encode("cp1252")


def item_texts():
    texts = {}
    for it in ITEMS:
        texts[it["number"] * TEXT_ID_STEP] = it["name"]
        texts[it["number"] * TEXT_ID_STEP + 1] = it["desc"]
    return texts


def proto_texts():
    texts = {10: NO_MATERIAL_NAME}
    texts.update({int("10" + str(n)): name for n, name in MATERIALS.items() if name})
    texts.update({int("25" + str(n)): name for n, name in enumerate(DAMAGE_TYPES)})
    texts.update({300 + n: name for n, name in enumerate(CALIBRES)})
    return texts


def projectile_texts(names):
    return {int(str(n) + "00"): name for n, name in names.items()}


# --- Preview bitmaps: small 24-bit pictures drawn from a few shapes. ---

PALETTE = [(176, 74, 52), (70, 132, 84), (66, 96, 160), (196, 160, 64), (120, 84, 140),
           (60, 140, 150)]


def inside(shape, x, y, w, h):
    """Whether pixel (x, y), top-left origin, is part of the shape."""
    u, v = x / (w - 1), y / (h - 1)
    if shape == "coat":
        return (0.3 < u < 0.7 and 0.15 < v < 0.9) or (0.1 < u < 0.9 and 0.15 < v < 0.35)
    if shape == "box":
        return 0.15 < u < 0.85 and 0.3 < v < 0.85 and not (0.45 < u < 0.55 and 0.5 < v < 0.6)
    if shape == "flask":
        return (0.42 < u < 0.58 and 0.1 < v < 0.4) or math.hypot(u - 0.5, v - 0.65) < 0.25
    if shape == "blade":
        return abs(u - v) < 0.1 and 0.1 < u < 0.9
    if shape == "gun":
        return (0.1 < u < 0.9 and 0.35 < v < 0.5) or (0.2 < u < 0.35 and 0.5 <= v < 0.8)
    if shape == "pile":
        return any(math.hypot(u - cx, v - 0.7) < 0.14 for cx in (0.3, 0.5, 0.7)) or \
            math.hypot(u - 0.5, v - 0.45) < 0.14
    if shape == "ring":
        return 0.2 < math.hypot(u - 0.5, v - 0.5) < 0.35
    if shape == "key":
        return math.hypot(u - 0.25, v - 0.5) < 0.15 or (0.25 < u < 0.9 and 0.45 < v < 0.55) or \
            (0.75 < u < 0.85 and 0.55 <= v < 0.7)
    if shape == "none":  # a cross, for the picture shown when there is none
        return abs(u - v) < 0.06 or abs(u + v - 1) < 0.06
    raise ValueError(shape)


def bmp(width, height, background, foreground, shape):
    """A bottom-up 24-bit Windows bitmap with a one-pixel dark frame."""
    frame = (40, 36, 28)
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            if x in (0, width - 1) or y in (0, height - 1):
                r, g, b = frame
            elif inside(shape, x, y, width, height):
                r, g, b = foreground
            else:
                r, g, b = background
            row += bytes((b, g, r))
        row += b"\0" * ((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    head = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835,
                       0, 0)
    return head + info + pixels


def preview_name(entry):
    """The bitmap the editor looks for beside a list: blanks removed, the last three
    characters replaced by "bmp"."""
    stem = entry.replace(" ", "")
    return (stem[:-3] if len(stem) >= 3 else stem) + "bmp"


def previews():
    out = {}
    for i, (entry, shape) in enumerate(GROUND + INVEN):
        if shape is None:
            continue
        name = preview_name(entry).lower()  # the editor finds it whatever the case
        width, height = (44, 36) if i < len(GROUND) else (37, 30)  # odd widths: row padding
        colour = PALETTE[i % len(PALETTE)]
        out[name] = bmp(width, height, (150, 145, 115), colour, shape)
    out["noArt.bmp"] = bmp(32, 32, (120, 120, 120), (70, 70, 70), "none")
    return out


# --- Writing. ---

def world():
    """Every file of the sample: {relative path: bytes}."""
    files = {}
    for it in ITEMS:
        files["items/" + it["file"]] = item_bytes(it)
    files["files/pro_item.msg"] = msg(item_texts())
    files["files/proto.msg"] = msg(proto_texts())
    files["files/stat.msg"] = msg({100 + n: name for n, name in enumerate(STATS)})
    files["files/pro_crit.msg"] = msg(projectile_texts(CRIT_PROJECTILES))
    files["files/pro_misc.msg"] = msg(projectile_texts(MISC_PROJECTILES))
    files["files/items.lst"] = lst(e for e, _ in GROUND)
    files["files/inven.lst"] = lst(e for e, _ in INVEN)
    files["files/critters.lst"] = lst(CRITTERS)
    for name, data in previews().items():
        files["files/" + name] = data
    return files


def check(files):
    """Refuses a world the editor could not list or open as meant."""
    names = [p.split("/")[1] for p in files if p.startswith("items/")]
    if len({n.lower() for n in names}) != len(names):
        sys.exit("generate.py: two item files differ only in letter case")
    for n in names:
        if not n.lower().endswith(".pro"):
            sys.exit("generate.py: %s does not end in .pro" % n)
    numbers = [it["number"] for it in ITEMS]
    if len(set(numbers)) != len(numbers):
        sys.exit("generate.py: an item number is used twice")
    for it in ITEMS:
        size = len(files["items/" + it["file"]])
        if not 60 < size <= HEADER_LENGTH + 255:
            sys.exit("generate.py: %s has %d bytes" % (it["file"], size))


def expected_findings():
    """The odd cases the world holds on purpose that the folder check reports, one
    "FILE RULE" line each, sorted: every picture entry drawn without a preview bitmap
    (the editor shows noArt.bmp for it), and every drug whose addiction code the
    editor's list does not know. Anything else the check finds is a fault of the sample."""
    drawn = {e for e, shape in GROUND + INVEN if shape}
    lines = []
    for it in ITEMS:
        for art in (GROUND[it["ground"]][0], INVEN[it["inven"]][0]):
            if art not in drawn:
                lines.append("%s no-preview" % it["file"])
        kind, fields = it["section"]
        if kind is drug and fields["addiction"] not in ADDICTION.values():
            lines.append("%s unknown-drug-code" % it["file"])
    return sorted(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", default=HERE, help="folder to write items/ and files/ into")
    parser.add_argument("--findings", action="store_true",
                        help="print the findings the folder check must report, and stop")
    args = parser.parse_args()
    if args.findings:
        print("\n".join(expected_findings()))
        return
    files = world()
    check(files)
    for sub in ("items", "files"):
        folder = os.path.join(args.out, sub)
        os.makedirs(folder, exist_ok=True)
        for old in os.listdir(folder):  # so a renamed entry leaves nothing stale behind
            path = os.path.join(folder, old)
            if os.path.isfile(path) and sub + "/" + old not in files:
                os.remove(path)
    for rel, data in sorted(files.items()):
        path = os.path.join(args.out, rel)
        if os.path.exists(path):
            os.chmod(path, 0o644)  # a Save in the editor leaves item files read-only
        with open(path, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
