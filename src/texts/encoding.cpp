// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/encoding.h"

#include "common/error.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace zantor {

namespace {

// The characters of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t toCodePoint(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char32_t{byte};
}

// The byte of a character, or -1 when the code page has none.
constexpr int toByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c)
            return static_cast<int>(0x80 + i);
    return -1;
}

// Unicode simple case folding (status C and S), for the characters of the code page.
constexpr char32_t simpleFold(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    switch (c) {
    case 0x00B5: // micro sign
        return 0x03BC;
    case 0x0152:
    case 0x0160:
    case 0x017D:
        return c + 1;
    case 0x0178:
        return 0x00FF;
    default:
        return c;
    }
}

// Folding can be done byte by byte: each byte maps to the byte of its folded
// character. The one character that folds outside the code page, the micro sign,
// keeps its own byte, which is right because no other character folds to mu.
constexpr std::array<unsigned char, 256> kFoldedByte = [] {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const int folded = toByte(simpleFold(toCodePoint(static_cast<unsigned char>(b))));
        table[static_cast<std::size_t>(b)] = static_cast<unsigned char>(folded < 0 ? b : folded);
    }
    return table;
}();

// The letters a byte sorts under: its case-folded form without accent, two letters
// for a ligature or sharp s; anything that is not such a letter, itself folded.
struct SortLetters {
    unsigned char letters[2];
    unsigned char count;
};

constexpr std::array<SortLetters, 256> kSortLetters = [] {
    std::array<SortLetters, 256> table{};
    for (std::size_t b = 0; b < 256; ++b)
        table[b] = {{kFoldedByte[b], 0}, 1};
    // Lower-case bytes of the code page and what they sort as.
    constexpr struct {
        unsigned char first, last;
        const char* letters;
    } kBases[] = {{0xE0, 0xE5, "a"}, {0xE6, 0xE6, "ae"}, {0xE7, 0xE7, "c"},  {0xE8, 0xEB, "e"},
                  {0xEC, 0xEF, "i"}, {0xF1, 0xF1, "n"},  {0xF2, 0xF6, "o"},  {0xF8, 0xF8, "o"},
                  {0xF9, 0xFC, "u"}, {0xFD, 0xFD, "y"},  {0xFF, 0xFF, "y"},  {0xDF, 0xDF, "ss"},
                  {0x9A, 0x9A, "s"}, {0x9E, 0x9E, "z"},  {0x9C, 0x9C, "oe"}, {0x83, 0x83, "f"},
                  {0xAA, 0xAA, "a"}, {0xBA, 0xBA, "o"}};
    for (const auto& base : kBases)
        for (std::size_t b = 0; b < 256; ++b) {
            SortLetters& entry = table[b];
            if (entry.letters[0] < base.first || entry.letters[0] > base.last)
                continue;
            entry.letters[0] = static_cast<unsigned char>(base.letters[0]);
            entry.letters[1] = static_cast<unsigned char>(base.letters[1]);
            entry.count = base.letters[1] ? 2 : 1;
        }
    return table;
}();

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The character of the UTF-8 sequence at `i`, advancing `i` past it; -1 (and one
// byte) for a malformed sequence, an overlong form, a surrogate or a value above U+10FFFF.
std::int32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    struct Form {
        unsigned char mask, value;
        std::size_t extra;
        std::int32_t least;
    };
    constexpr Form kForms[] = {
        {0xE0, 0xC0, 1, 0x80}, {0xF0, 0xE0, 2, 0x800}, {0xF8, 0xF0, 3, 0x10000}};
    for (const Form& form : kForms) {
        if ((lead & form.mask) != form.value)
            continue;
        if (s.size() - i <= form.extra)
            break;
        std::int32_t c = lead & static_cast<unsigned char>(~form.mask);
        for (std::size_t k = 1; k <= form.extra; ++k) {
            const auto next = static_cast<unsigned char>(s[i + k]);
            if ((next & 0xC0) != 0x80) {
                c = -1;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (c < form.least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            break;
        i += form.extra + 1;
        return c;
    }
    ++i;
    return -1;
}

} // namespace

std::string decodeWindows1252(std::string_view bytes) {
    // Most texts are ASCII, which reads the same in both.
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes)
        appendUtf8(out, toCodePoint(static_cast<unsigned char>(ch)));
    return out;
}

std::string encodeWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::int32_t c = nextCodePoint(utf8, i);
        const int byte = c < 0 ? -1 : toByte(static_cast<char32_t>(c));
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

std::string encodeWindows1252Exactly(std::string_view utf8, std::string_view what) {
    std::string out;
    out.reserve(utf8.size());
    std::string refused;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        const std::int32_t c = nextCodePoint(utf8, i);
        const int byte = c < 0 ? -1 : toByte(static_cast<char32_t>(c));
        if (byte >= 0) {
            out += static_cast<char>(byte);
            continue;
        }
        const std::string_view ch = c < 0 ? std::string_view("?") : utf8.substr(start, i - start);
        if (refused.find(ch) == std::string::npos)
            refused += refused.empty() ? std::string(ch) : " " + std::string(ch);
    }
    if (!refused.empty())
        throw Error("The " + std::string(what) +
                    " holds characters that the game's text tables cannot store: " + refused);
    return out;
}

namespace {

// One unit of a sort key, plus one so that none of its bytes is zero, in as few bytes
// as UTF-8 would take, whose bytes compare as the numbers do: a key that ends where
// another goes on has a zero byte there and comes first.
void appendSortUnit(std::string& key, std::uint32_t unit) {
    const std::uint32_t v = unit + 1;
    if (v < 0x80) {
        key += static_cast<char>(v);
    } else if (v < 0x800) {
        key += static_cast<char>(0xC0 | (v >> 6));
        key += static_cast<char>(0x80 | (v & 0x3F));
    } else if (v < 0x10000) {
        key += static_cast<char>(0xE0 | (v >> 12));
        key += static_cast<char>(0x80 | ((v >> 6) & 0x3F));
        key += static_cast<char>(0x80 | (v & 0x3F));
    } else {
        key += static_cast<char>(0xF0 | (v >> 18));
        key += static_cast<char>(0x80 | ((v >> 12) & 0x3F));
        key += static_cast<char>(0x80 | ((v >> 6) & 0x3F));
        key += static_cast<char>(0x80 | (v & 0x3F));
    }
}

// Each character of `utf8` as its Windows-1252 byte, or above every byte when it has none.
template <class Each> void forEachSortUnit(std::string_view utf8, Each&& each) {
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        const std::int32_t c = nextCodePoint(utf8, i);
        const int byte =
            c < 0 ? static_cast<unsigned char>(utf8[start]) : toByte(static_cast<char32_t>(c));
        each(byte >= 0 ? static_cast<std::uint32_t>(byte) : 0x100 + static_cast<std::uint32_t>(c));
    }
}

} // namespace

std::string readerSortKey(std::string_view utf8) {
    std::string key;
    key.reserve(utf8.size() * 3 + 1);
    forEachSortUnit(utf8, [&](std::uint32_t unit) {
        if (unit > 0xFF) {
            appendSortUnit(key, unit);
            return;
        }
        const SortLetters& letters = kSortLetters[unit];
        for (unsigned char k = 0; k < letters.count; ++k)
            appendSortUnit(key, letters.letters[k]);
    });
    key += '\0';
    forEachSortUnit(utf8, [&](std::uint32_t unit) { appendSortUnit(key, unit); });
    return key;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (kFoldedByte[static_cast<unsigned char>(a[i])] !=
            kFoldedByte[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

} // namespace zantor
