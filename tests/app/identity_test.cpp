#include <gtest/gtest.h>

#include <string>

#include "app/identity.h"

namespace {

using app::parse_identity;
using host::Date;

TEST(Identity, KnownNumbersParse) {
    const auto a = parse_identity("11010519491231002X");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->birth, (Date{1949, 12, 31}));
    EXPECT_FALSE(a->male);

    const auto b = parse_identity("440524188001010014");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->birth, (Date{1880, 1, 1}));
    EXPECT_TRUE(b->male);

    EXPECT_EQ(app::identity_check_char("32010619800229003"), '5');
}

TEST(Identity, MalformedNumbersAreRejected) {
    for (const char* id : {
             "440524188001010015",   // wrong check digit
             "11010519491231002",    // 17 characters
             "4405241880010100141",  // 19 characters
             "110105194902300020",   // 30 February
             "11010519491231002Y",   // not a check character
             "1101051949123100AX",   // a letter among the digits
         }) {
        EXPECT_FALSE(parse_identity(id)) << id;
    }
    EXPECT_EQ(app::identity_check_char("1101051949123100A"), '\0');
}

TEST(Identity, FormatRoundTrips) {
    for (const auto& [birth, seq] :
         {std::pair{Date{1984, 2, 29}, 1u}, std::pair{Date{1960, 7, 1}, 998u},
          std::pair{Date{1935, 1, 1}, 0u}}) {
        char buf[18];
        app::format_identity(buf, 420102, birth, seq);
        const std::string id(buf, sizeof buf);
        EXPECT_EQ(id.substr(0, 6), "420102");
        const auto info = parse_identity(id);
        ASSERT_TRUE(info) << id;
        EXPECT_EQ(info->birth, birth);
        EXPECT_EQ(info->male, seq % 2 == 1);
    }
}

}  // namespace
