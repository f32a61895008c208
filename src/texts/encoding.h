// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace zantor {

/// The UTF-8 text of Windows-1252 bytes. The five bytes that the code page leaves
/// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the
/// same number, so every byte has a character and the text encodes back unchanged.
/// Never throws.
std::string decodeWindows1252(std::string_view bytes);

/// The Windows-1252 bytes of UTF-8 text. A character that has no byte in the code
/// page, and each byte of a malformed UTF-8 sequence, becomes '?'. Never throws.
std::string encodeWindows1252(std::string_view utf8);

/// The Windows-1252 bytes of UTF-8 text that must be stored whole. Throws Error "The
/// <what> holds characters that the game's text tables cannot store: <characters>"
/// when a character has no byte in the code page (or the UTF-8 is malformed).
std::string encodeWindows1252Exactly(std::string_view utf8, std::string_view what);

/// True when two Windows-1252 texts are equal once their decoded characters are
/// case-folded (Unicode simple case folding): "KNIFE" equals "knife", "ÉPÉE" equals
/// "épée", "Ÿ" equals "ÿ". Never throws.
bool equalIgnoringCase(std::string_view a, std::string_view b);

/// A key that orders texts as a reader expects when keys are compared as plain bytes:
/// first by their letters without regard to case or accent ("Éclair" between "Eagle"
/// and "Fang", "Straße" beside "Strasse", "Œuvre" as "oeuvre"), then texts that are
/// alike there by their characters' Windows-1252 bytes ("E" < "e" < "É" < "é").
/// `utf8` is UTF-8 text; a byte that is not part of a UTF-8 character counts as the
/// Windows-1252 character of that byte, and characters beyond the code page sort after
/// it, by code point. Texts with equal keys differ only in how the same characters
/// are encoded. Never throws.
std::string readerSortKey(std::string_view utf8);

} // namespace zantor
