// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/error_of.h"
#include "table/csv.h"

#include <gtest/gtest.h>

using namespace zantor;
using Records = std::vector<CsvRecord>;

TEST(Csv, readsWhatSpreadsheetsWrite) {
    const struct {
        const char* text;
        Records records;
    } cases[] = {
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"a,b\nc,d", {{"a", "b"}, {"c", "d"}}},
        {"a,b\rc,d\r", {{"a", "b"}, {"c", "d"}}},
        {"\xEF\xBB\xBF"
         "file,x\r\n",
         {{"file", "x"}}},
        {"\"1,5\",\"say \"\"hi\"\"\"\r\n", {{"1,5", "say \"hi\""}}},
        {"\"two\r\nlines\",x\n", {{"two\r\nlines", "x"}}},
        {"a,,\r\n\r\nb,c,d\r\n", {{"a", "", ""}, {"b", "c", "d"}}},
        {" a , b \n", {{" a ", " b "}}},
        {"Cr\xC3\xA8me,\xE2\x82\xAC\n", {{"Cr\xC3\xA8me", "\xE2\x82\xAC"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readCsv(c.text), c.records) << c.text;
}

TEST(Csv, unclosedOrStrayQuoteIsAnError) {
    for (const char* text :
         {"a,b\n\"open,c\n", "a,b\nc,d\"e\"\n", "a,b\n\"c\"d,e\n", "a\n\n\"c\" ,d\n"})
        EXPECT_NE(test::errorOf([&] { readCsv(text); }).find("CSV record 2"), std::string::npos)
            << text;
}

TEST(Csv, writtenRecordsReadBack) {
    const CsvRecord fields{"plain", "1,5", "say \"hi\"", "two\r\nlines", " pad ", "", "\t"};
    EXPECT_EQ(csvRecord({"a", "b,c"}), "a,\"b,c\"\r\n");
    EXPECT_EQ(readCsv(csvRecord(fields) + csvRecord(fields)), (Records{fields, fields}));
    EXPECT_EQ(readCsv(csvRecord(fields, '\t', "\n"), '\t'), Records{fields});
    EXPECT_EQ(readCsv(csvRecord({""}) + csvRecord({"x"})), (Records{{""}, {"x"}}));
}
