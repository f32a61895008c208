#!/usr/bin/env python3
"""Builds the sample world that `./run` opens: item files in items/ and the text
tables, art lists and preview bitmaps in files/. Every name is invented.

Run it from anywhere; it rewrites sample/items and sample/files."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ITEMS = os.path.join(HERE, "items")
FILES = os.path.join(HERE, "files")

SECTION = {0: 72, 1: 8, 2: 68, 3: 65, 4: 24, 6: 4}


def be32(v):
    return struct.pack(">i", v)


def header(item_id, text_id, ground, material, weight, price, inven, type_byte, attack=0):
    h = bytearray(57)
    h[0:4] = be32(item_id)
    h[4:8] = be32(text_id)
    h[8:12] = be32(ground)
    h[27] = attack
    h[32:36] = be32(type_byte)
    h[36:40] = be32(material)
    h[44:48] = be32(weight)
    h[48:52] = be32(price)
    h[52] = 7
    h[53:56] = struct.pack(">I", inven)[1:]
    return h


def section(type_byte, values):
    """values: {file offset: (width, value)}"""
    s = bytearray(SECTION[type_byte])
    for off, (width, value) in values.items():
        at = off - 57
        if width == 4:
            s[at:at + 4] = be32(value)
        elif width == 3:
            s[at:at + 3] = struct.pack(">I", value)[1:]
        else:
            s[at] = value & 0xFF
    return s


def armor(ac, dr, dt, male, female):
    v = {57: (4, ac)}
    for i, x in enumerate(dr):
        v[61 + 4 * i] = (4, x)
    for i, x in enumerate(dt):
        v[89 + 4 * i] = (4, x)
    v[121] = (1, 1)
    v[122] = (3, male)
    v[125] = (1, 1)
    v[126] = (3, female)
    return section(0, v)


def weapon(looks, dmin, dmax, dtype, r1, r2, pfile, proj, st, ap1, ap2, reload, burst, calibre,
           ammo, cap, sound):
    return section(3, {60: (1, looks), 61: (4, dmin), 65: (4, dmax), 72: (1, dtype),
                       73: (4, r1), 77: (4, r2), 81: (1, pfile), 82: (3, proj), 85: (4, st),
                       89: (4, ap1), 93: (4, ap2), 97: (4, reload), 105: (4, burst),
                       109: (4, calibre), 113: (4, ammo), 117: (4, cap), 121: (1, sound)})


def drug(stats, effects, mid, long_, chance, addiction, withdraw):
    v = {57: (4, stats[0]), 61: (4, stats[1]), 65: (4, stats[2])}
    for i, x in enumerate(effects[0]):
        v[69 + 4 * i] = (4, x)
    v[81] = (4, mid)
    for i, x in enumerate(effects[1]):
        v[85 + 4 * i] = (4, x)
    v[97] = (4, long_)
    for i, x in enumerate(effects[2]):
        v[101 + 4 * i] = (4, x)
    v[113] = (4, chance)
    v[117] = (4, addiction)
    v[121] = (4, withdraw)
    return section(2, v)


def ammo(calibre, per_mag, ac, dr, acd, drd):
    return section(4, {57: (4, calibre), 61: (4, per_mag), 65: (4, ac), 69: (4, dr),
                       73: (4, acd), 77: (4, drd)})


# (file name, text id, name, description, header args, section bytes)
ITEM_LIST = [
    ("ARMOR001.pro", 100, "Quilted Jerkin", "Layers of felt stitched into a coat.",
     (1, 100, 0, 2, 15, 90, 0, 0), armor(8, [10, 5, 5, 10, 5, 5, 10], [1, 0, 0, 1, 0, 0, 1], 2, 3)),
    ("ARMOR002.pro", 200, "Scale Hauberk", "Overlapping plates on a leather back.",
     (2, 200, 1, 1, 35, 450, 1, 0), armor(20, [25, 15, 20, 15, 10, 30, 25], [4, 2, 3, 2, 1, 0, 3], 4, 5)),
    ("CONTNR01.pro", 300, "Brass Strongbox", "A heavy box with a stubborn lock.",
     (3, 300, 2, 1, 20, 60, 2, 1), section(1, {57: (4, 120)})),
    ("DRUG0001.pro", 400, "Bitterroot Tonic", "Clears the head, then clouds it.",
     (4, 400, 3, 3, 1, 40, 3, 2),
     drug([2, 5, -1], [[2, -1, 0], [-1, 0, 0], [0, 0, 0]], 60, 240, 10, 53, 1440)),
    ("DRUG0002.pro", 500, "Ember Draught", "Burns going down; you fight harder for it.",
     (5, 500, 3, 3, 1, 75, 3, 2),
     drug([-2, 0, 6], [[1, 2, 3], [0, -1, 0], [0, 0, -2]], 120, 480, 25, 60, 2880)),
    ("WEAPON01.pro", 600, "Hooked Cleaver", "A butcher's blade with a wicked hook.",
     (6, 600, 4, 1, 3, 120, 4, 3, 0x43),
     weapon(1, 3, 9, 0, 1, 1, 255, 0, 3, 3, 4, 0, 0, 0, 0, 0, 48)),
    ("WEAPON02.pro", 700, "Flint Repeater", "Fires in short bursts when it fires at all.",
     (7, 700, 5, 1, 9, 900, 5, 3, 0x76),
     weapon(6, 8, 16, 0, 25, 20, 1, 3, 5, 5, 6, 2, 5, 1, 9, 20, 65)),
    ("AMMO0001.pro", 900, "Brass Slugs", "A box of heavy, hand-cast slugs.",
     (9, 900, 6, 1, 1, 40, 6, 4), ammo(1, 20, 0, -10, 1, 1)),
    ("MISC0001.pro", 1000, "Cog Charm", "A charm made from a gear tooth.",
     (10, 1000, 7, 1, 1, 5, 7, 5), bytes(range(1, 14))),
    ("KEY00001.pro", 1100, "Ward Key", "Opens the old ward gate.",
     (11, 1100, 7, 1, 0, 0, 7, 6), section(6, {57: (4, 77)})),
]

PROTO = {10: "Stone", 100: "Glass", 101: "Metal", 102: "Wood", 103: "Leather", 104: "Cloth",
         250: "Normal", 251: "Laser", 252: "Fire", 253: "Plasma", 254: "Electrical",
         255: "EMP", 256: "Explosion"}
CALIBRES = ["None", "Light Slug", "Heavy Slug", "Pellet", "Bolt", "Spike", "Cell", "Dart",
            "Shell", "Needle", "Pebble", "Rivet", "Flare", "Charge", "Nail", "Shard",
            "Spark", "Coil", "Thorn"]
for i, c in enumerate(CALIBRES):
    PROTO[300 + i] = c
STATS = ["Strength", "Perception", "Endurance", "Charm", "Wits", "Agility", "Fortune"] + \
    ["Stat %d" % i for i in range(7, 38)]
STAT_MSG = {100 + i: s for i, s in enumerate(STATS)}

GROUND = ["quilted.frm", "scale.frm", "strongbx.frm", "tonic.frm", "cleaver.frm",
          "repeater.frm", "slugs.frm", "cogcharm.frm"]
INVEN = ["iquilt.frm", "iscale.frm", "ibox.frm", "itonic.frm", "icleav.frm", "irepeat.frm",
         "islugs.frm", "icog.frm"]
CRITTERS = ["hmjump", "hfjump", "nmguard", "nfguard", "maquilt", "mascale", "rezzzz",
            "hfscale"]


def msg(entries):
    lines = ["# sample table, invented texts"]
    lines += ["{%d}{}{%s}" % (k, v) for k, v in sorted(entries.items())]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def bmp(width, height, colour):
    row = bytes(colour[::-1]) * width
    row += b"\0" * ((4 - len(row) % 4) % 4)
    pixels = row * height
    head = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return head + info + pixels


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    names = {}
    for fname, tid, name, desc, hargs, sect in ITEM_LIST:
        write(os.path.join(ITEMS, fname), bytes(header(*hargs)) + bytes(sect))
        names[tid] = name
        names[tid + 1] = desc
    write(os.path.join(FILES, "pro_item.msg"), msg(names))
    write(os.path.join(FILES, "proto.msg"), msg(PROTO))
    write(os.path.join(FILES, "stat.msg"), msg(STAT_MSG))
    write(os.path.join(FILES, "pro_crit.msg"), msg({300: "Spark Bolt", 0: "Nothing"}))
    write(os.path.join(FILES, "pro_misc.msg"), msg({300: "Flare Puff", 0: "Nothing"}))
    for lst, entries in (("items.lst", GROUND), ("inven.lst", INVEN), ("critters.lst", CRITTERS)):
        write(os.path.join(FILES, lst), ("\r\n".join(entries) + "\r\n").encode("cp1252"))
    palette = [(180, 60, 40), (60, 140, 80), (60, 90, 170), (200, 170, 60)]
    for i, entry in enumerate(GROUND[:4] + INVEN[:4]):
        stem = entry.replace(" ", "")[:-3]
        write(os.path.join(FILES, stem + "bmp"), bmp(48, 32, palette[i % 4]))
    write(os.path.join(FILES, "noArt.bmp"), bmp(32, 32, (120, 120, 120)))


if __name__ == "__main__":
    main()
