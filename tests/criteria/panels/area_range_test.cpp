#include "criteria/panels/area_range.h"

#include <gtest/gtest.h>

#include "criteria/panel_fixture.h"
#include "host/user_actions.h"

namespace {

using namespace criteria;
using testing_support::Condition;
using testing_support::condition;
using testing_support::make;

// Picks an operator (nullptr: none) and types a number (nullptr: nothing typed) on each side.
struct Sides {
    const char* op1;
    const char* op2;
    const char* num1;
    const char* num2;
};

template <class Panel>
Condition area(const Sides& s) {
    auto p = make<Panel>();
    for (auto [ddlb, em, op, num] : {std::tuple{&p->ddlb_1, &p->em_1, s.op1, s.num1},
                                     std::tuple{&p->ddlb_2, &p->em_2, s.op2, s.num2}}) {
        if (op == nullptr) continue;
        // Switch the side on to type the number, then pick its operator.
        host::pick(*ddlb, "=");
        if (num != nullptr) host::type_and_leave(*em, num);
        host::pick(*ddlb, op);
    }
    return condition(*p);
}

TEST(AreaRange, OneOrTwoSides) {
    using P = uo_05_search_jbxx_zfcqzmj;
    EXPECT_EQ(area<P>({">=", nullptr, "50.00", nullptr}),
              (Condition{">=50.00", "(产权证面积>='50.00')", "1"}));
    EXPECT_EQ(
        area<P>({">=", "<=", "50.00", "100.00"}),
        (Condition{">=50.00<=100.00", "(产权证面积>='50.00') and (产权证面积<='100.00')", "1"}));
    EXPECT_EQ(area<P>({"=", "空", "75.00", "30.00"}),
              (Condition{"=75.00", "(产权证面积='75.00')", "1"}));
    EXPECT_EQ(area<P>({"空", "<", "75.00", "80.50"}),
              (Condition{"<80.50", "(产权证面积<'80.50')", "1"}));
    EXPECT_EQ(area<P>({nullptr, ">", nullptr, "60.00"}),
              (Condition{">60.00", "(产权证面积>'60.00')", "1"}));
    EXPECT_EQ(area<P>({">", nullptr, "7.5", nullptr}),
              (Condition{">7.50", "(产权证面积>'7.5')", "1"}));
    EXPECT_EQ(area<uo_05_search_jbxx_jzmjytjgt_po>({">=", "<=", "50.00", "100.00"}),
              (Condition{">=50.00<=100.00",
                         "(核定面积_配偶>='50.00') and (核定面积_配偶<='100.00')", "1"}));
}

TEST(AreaRange, NoActiveSideOrAnActiveSideWithoutANumberIsInvalid) {
    using P = uo_05_search_jbxx_zfcqzmj;
    auto p = make<P>();
    host::pick(p->ddlb_1, "=");
    host::type_and_leave(p->em_1, "75");
    host::pick(p->ddlb_1, "空");  // the only side switched off: the last condition stays, invalid
    EXPECT_EQ(condition(*p), (Condition{"=75.00", "(产权证面积='75')", "0"}));
    EXPECT_THROW(host::type_and_leave(p->em_2, "1"), host::ActionRefused);  // no operator: off
    // An operator picked before any number is typed gives no comparison yet.
    p = make<P>();
    host::pick(p->ddlb_1, ">");
    EXPECT_TRUE(p->em_1.enabled());
    EXPECT_EQ(condition(*p), (Condition{"", "", "0"}));
    host::type_and_leave(p->em_1, ".");
    EXPECT_EQ(condition(*p).flag, "0");
    host::type_and_leave(p->em_1, "60");
    EXPECT_EQ(condition(*p), (Condition{">60.00", "(产权证面积>'60')", "1"}));
    // Two sides, one of them without a number: invalid as a whole.
    host::pick(p->ddlb_2, "<");
    EXPECT_EQ(condition(*p).flag, "0");
}

TEST(AreaRange, SwitchingASideOffKeepsItsNumber) {
    auto p = make<uo_05_search_jbxx_jzmjytjgt>();
    host::pick(p->ddlb_1, ">=");
    host::type_and_leave(p->em_1, "50");
    host::pick(p->ddlb_2, "<");
    host::type_and_leave(p->em_2, "90");
    host::pick(p->ddlb_1, "空");
    EXPECT_FALSE(p->em_1.enabled());
    EXPECT_EQ(p->em_1.text(), "50");
    EXPECT_EQ(condition(*p), (Condition{"<90.00", "(核定面积<'90')", "1"}));
    host::pick(p->ddlb_1, ">=");
    EXPECT_EQ(condition(*p),
              (Condition{">=50.00<90.00", "(核定面积>='50') and (核定面积<'90')", "1"}));
}

TEST(AreaRange, ControlsAndItems) {
    auto p = make<uo_05_search_jbxx_jzmjytjgt>();
    EXPECT_EQ(p->tag(), "核定面积(含阳台及公摊)");
    EXPECT_EQ(p->st_2.text(), "核定面积(含阳台及公摊)：");
    EXPECT_EQ(p->ddlb_1.items(), (std::vector<std::string>{"<", "<=", "=", ">=", ">", "空"}));
    EXPECT_FALSE(p->em_1.enabled());
    EXPECT_FALSE(p->em_2.enabled());
    EXPECT_THROW(host::type_and_leave(p->em_1, "5"), host::ActionRefused);
    EXPECT_EQ(&p->control(12), &p->em_1);
    EXPECT_EQ(&p->control(15), &p->em_2);
}

}  // namespace
