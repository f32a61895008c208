// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zantor {

/// The entries of an art or critter list file, one per line as the bytes stand: a
/// line ends at CR LF, a lone CR or a lone LF; an empty line is an empty entry; a
/// break after the last line adds none; a NUL byte ends the list. Throws Error
/// "Cannot open file %s" (with the path) when the file cannot be read.
std::vector<std::string> readListFile(const std::string& path);

/// The preview bitmap path of a list entry: every blank of the entry removed, its
/// last three characters dropped when it has three or more, then folder + separator
/// + the rest + "bmp" ("knife.frm" in "art" gives "art/knife.bmp"). The folder and
/// the result are UTF-8 paths; the entry is the Windows-1252 text as read.
std::string previewPath(std::string_view folder, std::string_view entry);

/// The picture to show for a list entry: the preview path, resolved ignoring letter
/// case, when a regular file is there; else the fallback Files/noArt.bmp under the
/// current directory, resolved ignoring letter case (as written when it does not
/// exist either). Never throws.
std::string previewFile(std::string_view folder, std::string_view entry);

/// The readable description of a critter looks entry: "Human ", "NPC " or
/// "Monster " for a first character h, n or m; "male ", "female " or "any gender "
/// for a second character m, f or a; then the entry from its third character. An
/// entry beginning with r gives the empty text. Compared exactly: upper case
/// matches nothing.
std::string looksDescription(std::string_view entry);

} // namespace zantor
