#include "criteria/panels/month_range.h"

#include <gtest/gtest.h>

#include "criteria/panel_fixture.h"
#include "host/user_actions.h"

namespace {

using namespace criteria;
using testing_support::Condition;
using testing_support::condition;
using testing_support::make;

template <class Panel>
Condition months(const char* start, const char* end) {
    auto p = make<Panel>();
    host::type_and_leave(p->em_1, start);
    host::type_and_leave(p->em_2, end);
    return condition(*p);
}

TEST(MonthRange, EveryDayOfBothMonthsIsInside) {
    EXPECT_EQ(months<uo_05_search_jbxx_gzsj>("2003年05月", "2003年07月"),
              (Condition{"2003年05月至2003年07月",
                         "参加工作时间>'2003-04-30' and 参加工作时间<'2003-08-01'", "1"}));
    EXPECT_EQ(months<uo_05_search_jbxx_gzsj>("200305", "200305"),
              (Condition{"2003年05月至2003年05月",
                         "参加工作时间>'2003-04-30' and 参加工作时间<'2003-06-01'", "1"}));
    EXPECT_EQ(months<uo_05_search_jbxx_gzsj>("2004年03月", "2004年12月"),
              (Condition{"2004年03月至2004年12月",
                         "参加工作时间>'2004-02-29' and 参加工作时间<'2005-01-01'", "1"}));
    EXPECT_EQ(
        months<uo_05_search_jbxx_gzsj_po>("2003年05月", "2003年07月"),
        (Condition{"2003年05月至2003年07月",
                   "参加工作时间_配偶>'2003-04-30' and 参加工作时间_配偶<'2003-08-01'", "1"}));
    EXPECT_EQ(months<uo_05_search_jbxx_txsj>("2004年01月", "2004年02月"),
              (Condition{"2004年01月至2004年02月",
                         "离退休时间>'2003-12-31' and 离退休时间<'2004-03-01'", "1"}));
}

TEST(MonthRange, MissingImpossibleOrReversedMonthsAreInvalid) {
    for (auto [start, end] :
         {std::pair{"2004年06月", "2003年05月"}, std::pair{"2003年05月", ""},
          std::pair{"", "2003年05月"}, std::pair{"2003年13月", "2004年01月"},
          std::pair{"2003年00月", "2004年01月"}, std::pair{"2003年0", "2004年01月"}}) {
        EXPECT_EQ(months<uo_05_search_jbxx_gzsj>(start, end).flag, "0") << start << " " << end;
    }
    // Bounds with no four-digit year have no date literal: no condition.
    EXPECT_EQ(months<uo_05_search_jbxx_gzsj>("2003年05月", "9999年12月").flag, "0");
    EXPECT_EQ(months<uo_05_search_jbxx_gzsj>("0001年01月", "2003年05月").flag, "0");
    EXPECT_EQ(months<uo_05_search_jbxx_gzsj>("0001年02月", "9999年11月"),
              (Condition{"0001年02月至9999年11月",
                         "参加工作时间>'0001-01-31' and 参加工作时间<'9999-12-01'", "1"}));
    auto p = make<uo_05_search_jbxx_gzsj>();
    host::type_and_leave(p->em_1, "2003年05月");
    host::type_and_leave(p->em_2, "2003年06月");
    host::type_and_leave(p->em_1, "2004年06月");  // now after the end: the old range stays, invalid
    EXPECT_EQ(condition(*p),
              (Condition{"2003年05月至2003年06月",
                         "参加工作时间>'2003-04-30' and 参加工作时间<'2003-07-01'", "0"}));
}

TEST(MonthRange, NotRetiredBoxSelectsEmptyRetirementDates) {
    auto p = make<uo_05_search_jbxx_txsj>();
    host::type_and_leave(p->em_1, "2004年06月");
    host::type_and_leave(p->em_2, "2003年05月");
    host::click(p->cbx_1);
    EXPECT_FALSE(p->em_1.enabled());
    EXPECT_FALSE(p->em_2.enabled());
    EXPECT_THROW(host::type_and_leave(p->em_1, "2001年01月"), host::ActionRefused);
    EXPECT_EQ(condition(*p), (Condition{"未离/退休职工", "离退休时间 Is Null", "1"}));
    host::click(p->cbx_1);  // months kept, start after end: invalid, the box's condition stays
    EXPECT_TRUE(p->em_1.enabled());
    EXPECT_EQ(p->em_1.text(), "2004年06月");
    EXPECT_EQ(condition(*p), (Condition{"未离/退休职工", "离退休时间 Is Null", "0"}));
    host::type_and_leave(p->em_1, "2003年01月");
    EXPECT_EQ(condition(*p).flag, "1");
    EXPECT_EQ(p->cbx_1.text(), "  未离/退休");

    auto empty = make<uo_05_search_jbxx_txsj>();  // both months empty
    host::click(empty->cbx_1);
    EXPECT_EQ(condition(*empty).flag, "1");
    host::click(empty->cbx_1);
    EXPECT_TRUE(empty->em_2.enabled());
    EXPECT_EQ(condition(*empty), (Condition{"未离/退休职工", "离退休时间 Is Null", "0"}));

    auto po = make<uo_05_search_jbxx_txsj_po>();
    host::click(po->cbx_1);
    EXPECT_EQ(condition(*po), (Condition{"未离/退休职工", "离退休时间_配偶 Is Null", "1"}));
}

TEST(MonthRange, WorkStartPanelsHaveNoBoxAndSitLower) {
    auto gz = make<uo_05_search_jbxx_gzsj>();
    auto tx = make<uo_05_search_jbxx_txsj>();
    EXPECT_EQ(gz->control_count(), 15U);
    EXPECT_EQ(tx->control_count(), 16U);
    EXPECT_EQ(gz->em_1.y(), 172);
    EXPECT_EQ(tx->em_1.y(), 136);
    EXPECT_EQ(tx->tag(), "离/退休时间");
    EXPECT_EQ(tx->st_2.text(), "离/退休时间：");
    EXPECT_EQ(gz->st_1.text(), "从");
    EXPECT_EQ(gz->st_3.text(), "至");
}

}  // namespace
