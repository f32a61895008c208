// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/error.h"
#include "common/numbers.h"

#include <gtest/gtest.h>

using namespace zantor;

TEST(Numbers, wholeNumbersConvert) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"0", 0},
        {"-1", -1},
        {"+5", 5},
        {"0100", 100},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(toInt(text), value) << text;
}

TEST(Numbers, anythingElseIsNotAValidIntegerValue) {
    for (const char* text : {"", "-", "+", "1a", " 1", "1 ", "+-5", "-+5", "--5", "2147483648",
                             "-2147483649", "99999999999999999999999", "0x10", "1.5"}) {
        try {
            toInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const Error& e) {
            EXPECT_EQ(e.what(), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

TEST(Numbers, steppingPastTheRangeFailsInsteadOfWrapping) {
    EXPECT_EQ(addChecked(2147483547, 100, "x"), 2147483647);
    EXPECT_THROW(addChecked(2147483647, 1, "2147483647"), Error);
    EXPECT_THROW(addChecked(INT32_MIN, -100, "-2147483648"), Error);
}
