#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "app/demo_data.h"
#include "app/identity.h"
#include "records.h"

namespace {

using namespace app_test;
using host::Date;

class DemoRecords : public ::testing::Test {
  protected:
    static constexpr std::size_t k_count = 4000;
    std::vector<Row> rows = demo_rows(k_count, 1);
};

TEST_F(DemoRecords, IdentityNumbersAgreeWithBirthAndSex) {
    std::size_t spouses = 0;
    for (const auto& r : rows) {
        const auto id = text(r, "身份证号");
        ASSERT_TRUE(id);
        const auto info = app::parse_identity(*id);
        ASSERT_TRUE(info) << *id;
        EXPECT_EQ(info->birth, date(r, "出生日期"));
        EXPECT_EQ(info->male, text(r, "性别") == "男") << *id;

        const auto spouse = text(r, "姓名_配偶");
        if (!spouse || spouse->empty()) continue;
        ++spouses;
        const auto sid = text(r, "身份证号_配偶");
        ASSERT_TRUE(sid);
        const auto sinfo = app::parse_identity(*sid);
        ASSERT_TRUE(sinfo) << *sid;
        EXPECT_NE(sinfo->male, info->male) << *sid;
    }
    EXPECT_GT(spouses, 0u);
}

TEST_F(DemoRecords, WorkStartAndRetirementFitTheAge) {
    for (const auto& r : rows) {
        const Date birth = *date(r, "出生日期");
        const auto started = date(r, "参加工作时间");
        ASSERT_TRUE(started);
        const int age = age_on(birth, *started);
        EXPECT_GE(age, 17) << *text(r, "编号");
        EXPECT_LE(age, 25) << *text(r, "编号");
        EXPECT_LE(*started, app::demo_as_of);
        if (const auto retired = date(r, "离退休时间")) {
            EXPECT_LE(*retired, app::demo_as_of);
            EXPECT_GE(age_on(birth, *retired), 50);
        }

        const auto sid = text(r, "身份证号_配偶");
        if (!sid || sid->empty()) continue;
        const Date sbirth = app::parse_identity(*sid)->birth;
        const auto sstarted = date(r, "参加工作时间_配偶");
        ASSERT_TRUE(sstarted);
        EXPECT_GE(age_on(sbirth, *sstarted), 17);
        EXPECT_LE(age_on(sbirth, *sstarted), 25);
        if (const auto sretired = date(r, "离退休时间_配偶")) {
            EXPECT_LE(*sretired, app::demo_as_of);
            EXPECT_GE(age_on(sbirth, *sretired), 50);
        }
    }
}

TEST_F(DemoRecords, CategoryLettersAgreeWithDatesAndHousing) {
    std::map<std::string, std::size_t> seen;
    for (const auto& r : rows) {
        const std::string cls = *text(r, "领取补贴类别");
        ASSERT_EQ(cls.size(), 2u);
        ++seen[cls];
        const char expected_first = date(r, "离退休时间")                          ? 'T'
                                    : *date(r, "参加工作时间") >= Date{2005, 1, 1} ? 'N'
                                                                                   : 'Z';
        EXPECT_EQ(cls[0], expected_first) << *text(r, "编号");

        const std::int64_t standard = *area(r, "核定面积");
        const std::int64_t own = *area(r, "产权证面积");
        const std::int64_t spouse = area(r, "产权证面积_配偶").value_or(0);
        const std::int64_t shortfall = *area(r, "未达标面积");
        EXPECT_GT(standard, 0);
        EXPECT_GE(own, 0);
        EXPECT_GE(spouse, 0);
        switch (cls[1]) {
            case 'Y':
                EXPECT_EQ(shortfall, 0) << *text(r, "编号");
                break;
            case 'W':
                EXPECT_GT(shortfall, 0);
                EXPECT_GT(own + spouse, 0);
                EXPECT_EQ(shortfall, standard - own - spouse);
                break;
            case 'N':
                EXPECT_EQ(own + spouse, 0);
                EXPECT_EQ(shortfall, standard);
                EXPECT_FALSE(text(r, "房产证号"));
                break;
            default:
                ADD_FAILURE() << cls;
        }
        EXPECT_EQ(own > 0, text(r, "房产证号").has_value());
    }
    for (const char* cls : {"TY", "TW", "TN", "ZY", "ZW", "ZN", "NY", "NW", "NN"}) {
        EXPECT_GE(seen[cls], 20u) << cls;
    }
    EXPECT_EQ(seen.size(), 9u);
}

TEST_F(DemoRecords, AmountsAgreeWithPaymentCategory) {
    std::size_t z_one_off_only = 0;
    std::size_t z_monthly = 0;
    for (const auto& r : rows) {
        const std::string cls = *text(r, "领取补贴类别");
        const std::int64_t one_off = *cents(r, "一次性领取额");
        const std::int64_t monthly = *cents(r, "月领取额");
        const std::int64_t paid = *cents(r, "曾发金额");
        EXPECT_GE(paid, 0);
        if (cls[1] == 'Y') {
            EXPECT_EQ(one_off, 0);
            EXPECT_EQ(monthly, 0);
        } else if (cls[0] == 'T') {
            EXPECT_GT(one_off, 0) << *text(r, "编号");
            EXPECT_EQ(monthly, 0);
        } else if (cls[0] == 'N') {
            EXPECT_GT(monthly, 0) << *text(r, "编号");
            EXPECT_EQ(one_off, 0);
        } else if (monthly == 0) {
            EXPECT_GT(one_off, 0) << *text(r, "编号");
            ++z_one_off_only;
        } else {
            EXPECT_GT(monthly, 0);
            ++z_monthly;
        }
        EXPECT_LE(one_off, 200'000'00);
        EXPECT_LE(monthly, 2'000'00);
    }
    EXPECT_GT(z_one_off_only, 100u);
    EXPECT_GT(z_monthly, 100u);
}

TEST_F(DemoRecords, FiguresHaveTheirPlacesAndSomeAreWhole) {
    struct Figure {
        const char* column;
        int places;
        std::size_t whole = 0;
        std::size_t fractional = 0;
    };
    std::vector<Figure> figures{{"产权证面积", 4},      {"核定面积", 4},     {"未达标面积", 4},
                                {"一次性领取额", 2},    {"曾发金额", 2},     {"月领取额", 2},
                                {"产权证面积_配偶", 4}, {"核定面积_配偶", 4}};
    for (const auto& r : rows) {
        for (auto& f : figures) {
            bool exact = false;
            const auto v = scaled(at(r, f.column), f.places, &exact);
            if (!v) continue;
            EXPECT_TRUE(exact) << f.column << " of " << *text(r, "编号");
            EXPECT_GE(*v, 0);
            if (*v == 0) continue;
            std::int64_t unit = 1;
            for (int i = 0; i < f.places; ++i) unit *= 10;
            ++(*v % unit == 0 ? f.whole : f.fractional);
        }
    }
    for (const auto& f : figures) {
        EXPECT_GT(f.whole, 0u) << f.column;
        if (std::string_view(f.column) != "核定面积_配偶") {
            EXPECT_GT(f.fractional, 0u) << f.column;
        }
    }
    // Areas in plausible ranges (square metres).
    for (const auto& r : rows) {
        EXPECT_LE(*area(r, "核定面积"), 130 * 10000);
        EXPECT_LE(*area(r, "产权证面积"), 170 * 10000);
    }
}

TEST_F(DemoRecords, AboutThreeInFourHaveASpouseAndBothKindsOfNone) {
    std::size_t with = 0, empty = 0, null = 0;
    for (const auto& r : rows) {
        const auto name = text(r, "姓名_配偶");
        if (!name) {
            ++null;
            EXPECT_FALSE(date(r, "参加工作时间_配偶"));
        } else if (name->empty()) {
            ++empty;
        } else {
            ++with;
            EXPECT_TRUE(area(r, "产权证面积_配偶"));
        }
    }
    const double share = static_cast<double>(with) / static_cast<double>(rows.size());
    EXPECT_NEAR(share, 0.75, 0.03);
    EXPECT_GT(empty, rows.size() / 20);
    EXPECT_GT(null, rows.size() / 20);
}

TEST_F(DemoRecords, BanksAreKnownAndAFewAreMissing) {
    const std::set<std::string> known{"中国工商银行",     "中国建设银行", "中国农业银行",
                                      "中国银行",         "交通银行",     "招商银行",
                                      "中国邮政储蓄银行", "中信银行"};
    std::set<std::string> used;
    std::size_t missing = 0;
    for (const auto& r : rows) {
        const auto bank = text(r, "货币补贴开户行");
        const auto account = text(r, "货币补贴账号");
        EXPECT_EQ(bank.has_value(), account.has_value());
        if (!bank) {
            ++missing;
            continue;
        }
        EXPECT_TRUE(known.contains(*bank)) << *bank;
        used.insert(*bank);
        EXPECT_EQ(account->size(), 19u);
    }
    EXPECT_EQ(used, known);
    EXPECT_GT(missing, rows.size() / 100);
    EXPECT_LT(missing, rows.size() / 12);
}

TEST_F(DemoRecords, KeysAreUniqueZeroPaddedSequence) {
    std::set<std::string> keys;
    for (const auto& r : rows) keys.insert(*text(r, "编号"));
    EXPECT_EQ(keys.size(), rows.size());
    EXPECT_EQ(*keys.begin(), "00000001");
    EXPECT_EQ(*keys.rbegin(), "00004000");
}

TEST_F(DemoRecords, NamesAndTextsLookReal) {
    std::size_t zhang = 0;
    for (const auto& r : rows) {
        const auto name = *text(r, "姓名");
        EXPECT_GE(name.size(), 6u);  // two to four characters of three bytes
        EXPECT_LE(name.size(), 12u);
        if (name.starts_with("张")) ++zhang;
        EXPECT_FALSE(text(r, "工作单位")->empty());
        EXPECT_FALSE(text(r, "家庭住址")->empty());
        EXPECT_EQ(text(r, "分类编号")->size(), 4u);
    }
    EXPECT_GT(zhang, rows.size() / 30);
}

TEST(DemoGenerator, SameSeedSameRowsOtherSeedOtherRows) {
    const auto a = demo_rows(500, 7);
    EXPECT_EQ(a, demo_rows(500, 7));
    const auto b = demo_rows(500, 8);
    std::size_t same_name = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(at(a[i], "编号"), at(b[i], "编号"));
        EXPECT_NE(at(a[i], "身份证号"), at(b[i], "身份证号"));
        if (at(a[i], "姓名") == at(b[i], "姓名")) ++same_name;
    }
    EXPECT_LT(same_name, a.size() / 10);
}

// The generator uses no library distribution and no floating-point arithmetic before the
// final division, so these rows are the same with every compiler and machine. Changing the
// generator changes everybody's demo data: update them only on purpose.
TEST(DemoGenerator, RowsAreFixedForAGivenSeed) {
    struct Expected {
        std::size_t index;
        const char *name, *identity, *category;
        std::int64_t monthly_cents, one_off_cents;
    };
    const app::DemoGenerator gen{1};
    for (const auto& e : {Expected{0, "周超", "610103198808079730", "NY", 0, 0},
                          Expected{999, "蒋蓉丹", "420102198602197609", "ZW", 38680, 0},
                          Expected{123456, "吴淑丹", "37010219430519680X", "TW", 0, 1861524}}) {
        Row r;
        gen.fill(e.index, r);
        EXPECT_EQ(text(r, "姓名"), e.name) << e.index;
        EXPECT_EQ(text(r, "身份证号"), e.identity) << e.index;
        EXPECT_EQ(text(r, "领取补贴类别"), e.category) << e.index;
        EXPECT_EQ(cents(r, "月领取额"), e.monthly_cents) << e.index;
        EXPECT_EQ(cents(r, "一次性领取额"), e.one_off_cents) << e.index;
    }
}

TEST(DemoGenerator, ARecordDependsOnlyOnSeedAndNumber) {
    const app::DemoGenerator gen{3};
    Row reused;
    gen.fill(41, reused);  // leaves strings behind that the next fill must overwrite
    gen.fill(1234, reused);
    Row fresh;
    gen.fill(1234, fresh);
    EXPECT_EQ(reused, fresh);
}

}  // namespace
