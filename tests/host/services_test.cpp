#include "host/services.h"

#include <gtest/gtest.h>

namespace {

TEST(Trim, RemovesOnlyTheBlank) {
    EXPECT_EQ(host::trim("  张 三  "), "张 三");
    EXPECT_EQ(host::trim("   "), "");
    EXPECT_EQ(host::trim("\t张三\t"), "\t张三\t");
    EXPECT_EQ(host::trim("\u3000张三\u3000"), "\u3000张三\u3000");
}

TEST(Dates, FormatAndMoveAcrossMonthYearAndLeapDays) {
    EXPECT_EQ(host::format_date(host::Date{2003, 5, 1}, "YYYY年MM月"), "2003年05月");
    EXPECT_EQ(host::format_date(host::Date{2003, 4, 30}, "YYYY-MM-DD"), "2003-04-30");
    EXPECT_EQ(host::relative_date(host::Date{2004, 3, 1}, -1), (host::Date{2004, 2, 29}));
    EXPECT_EQ(host::relative_date(host::Date{2003, 3, 1}, -1), (host::Date{2003, 2, 28}));
    EXPECT_EQ(host::relative_date(host::Date{2003, 12, 31}, 1), (host::Date{2004, 1, 1}));
    EXPECT_EQ(host::first_of_next_month(host::Date{2004, 12, 1}), (host::Date{2005, 1, 1}));
    EXPECT_EQ(host::first_of_next_month(host::Date{2003, 7, 1}), (host::Date{2003, 8, 1}));
}

TEST(Numbers, ConvertAndFormatWithTwoPlaces) {
    struct Case {
        const char* text;
        const char* formatted;
    };
    const Case cases[] = {{"50", "50.00"}, {"7.5", "7.50"},  {"999.99", "999.99"}, {"7.", "7.00"},
                          {".5", "0.50"},  {"0.01", "0.01"}, {"", "0.00"},         {"abc", "0.00"}};
    for (const auto& c : cases) {
        EXPECT_EQ(host::format_number(host::to_real(c.text), "0.00"), c.formatted) << c.text;
    }
}

TEST(Colours, TruncateTowardZeroAndKeepNull) {
    EXPECT_EQ(host::colour_from(15790320.9), 15790320);
    EXPECT_EQ(host::colour_from(-3.9), -3);
    EXPECT_FALSE(host::colour_from(std::nullopt).has_value());
    EXPECT_FALSE(host::colour_from(1e30).has_value());
    EXPECT_EQ(host::rgb(228, 240, 253), 228 + 240 * 256 + 253 * 65536);
}

}  // namespace
