// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/error.h"
#include "texts/encoding.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace zantor;

TEST(Windows1252, decodesEveryByteToItsCharacter) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"Knife", "Knife"},
        {"\x80", "\u20AC"},
        {"\x81", "\u0081"}, // undefined in the code page: kept as its control character
        {"\x8A\x9F", "\u0160\u0178"},
        {"\x92", "\u2019"},
        {"caf\xE9", "caf\u00E9"},
        {"\xA0\xFF", "\u00A0\u00FF"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& [bytes, utf8] : cases) {
        EXPECT_EQ(decodeWindows1252(bytes), utf8) << bytes;
        EXPECT_EQ(encodeWindows1252(utf8), bytes) << bytes;
    }
}

TEST(Windows1252, everyByteEncodesBackUnchanged) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(encodeWindows1252(decodeWindows1252(all)), all);
}

TEST(Windows1252, writesAQuestionMarkForWhatTheCodePageCannotHold) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"\u65E5\u672C", "??"},            // no byte in the code page
        {"\U0001F5E1 Dagger", "? Dagger"}, // four-byte character
        {"\u0080", "?"},                   // a control the code page maps elsewhere
        {"\xFF", "?"},                     // not UTF-8
        {"\xC3", "?"},                     // cut short
        {"\xC0\xAF", "??"},                // overlong
        {"\xED\xA0\x80", "???"},           // surrogate
        {"ok\xE2\x82", "ok??"},            // cut short at the end
    };
    for (const auto& [utf8, bytes] : cases)
        EXPECT_EQ(encodeWindows1252(utf8), bytes) << bytes;
}

TEST(Windows1252, comparesIgnoringCaseThroughTheDecodedCharacters) {
    struct Case {
        std::string a, b;
        bool equal;
    };
    const std::vector<Case> cases{
        {"{100}{}{Knife}", "{100}{}{KNIFE}", true},
        {"\xC9P\xC9\x45", "\xE9p\xE9\x65", true}, // accented capitals
        {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", true},
        {"\xD7", "\xF7", false}, // multiplication and division signs are no pair
        {"\xDF", "ss", false},   // simple folding keeps sharp s whole
        {"\xB5", "M", false},    // micro sign folds to mu, which no other byte holds
        {"\xB5", "\xB5", true},
        {"Knife", "Knife ", false},
        {"", "", true},
        {"[", "{", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(equalIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(equalIgnoringCase(c.b, c.a), c.equal) << c.b << " / " << c.a;
    }
}

TEST(Windows1252, textThatMustBeStoredWholeRefusesCharactersWithoutAByte) {
    EXPECT_EQ(encodeWindows1252Exactly("caf\u00E9 \u20AC5", "name"), "caf\xE9 \x80"
                                                                     "5");
    try {
        encodeWindows1252Exactly("\u0151r \u0151 \u4E00", "name");
        ADD_FAILURE() << "accepted characters the code page has no byte for";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(),
                     "The name holds characters that the game's text tables cannot store: "
                     "\u0151 \u4E00");
    }
}

TEST(ReaderOrder, lettersWithoutCaseOrAccentFirstThenTheBytes) {
    // Each row in the order a reader expects; every text sorts before the next.
    const std::vector<std::vector<std::string>> rows{
        {"Eagle", "\u00C9clair", "\u00E9clat", "Fang", "Zebra"},
        {"E", "e", "\u00C9", "\u00E9", "f"},
        {"Odd", "\u0152uvre", "Opal"},
        {"Strasse", "Stra\u00DFe", "Strasser"},
        {"Y", "y", "\u0178", "\u00DD", "\u00FD", "\u00FF", "z"},
        {"Sk", "\u0160l", "sm"},
        {"Za", "\u017Dabe", "zz"},
        {"ab", "ab ", "abc", "z", "\u00FE", "\u03A9"}, // thorn after z; beyond the page last
        {"cafd", "caf\xE9", "caff"},                   // a byte that is not UTF-8
        {"z\U0001F600", "\u07FF", "\u4E00", "\u4E00a", "\U0001F600"}, // far beyond the page
    };
    for (const auto& row : rows)
        for (std::size_t i = 1; i < row.size(); ++i)
            EXPECT_LT(readerSortKey(row[i - 1]), readerSortKey(row[i]))
                << row[i - 1] << " / " << row[i];
    // That byte is the Windows-1252 character it names.
    EXPECT_EQ(readerSortKey("caf\xE9"), readerSortKey("caf\u00E9"));
}
