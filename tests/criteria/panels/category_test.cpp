#include "criteria/panels/category.h"

#include <gtest/gtest.h>

#include "criteria/panel_fixture.h"
#include "host/user_actions.h"

namespace {

using namespace criteria;
using testing_support::Condition;
using testing_support::condition;
using testing_support::ctl;
using testing_support::make;

struct Option {
    const char* button;
    const char* text;
    const char* display;
    const char* sql;
};

void expect_options(category_panel& p, const char* caption, const char* item,
                    std::initializer_list<Option> options) {
    SCOPED_TRACE(p.class_name());
    EXPECT_EQ(p.st_2.text(), caption);
    EXPECT_EQ(p.tag(), item);
    EXPECT_EQ(condition(p), (Condition{"", "", ""}));
    for (const auto& o : options) {
        host::Control& rb = ctl(p, o.button);
        EXPECT_EQ(rb.text(), o.text);
        host::click(rb);
        EXPECT_EQ(condition(p), (Condition{o.display, o.sql, "1"})) << o.button;
    }
}

TEST(Category, EachButtonWritesItsFixedCondition) {
    auto fflb = make<uo_05_search_jbxx_fflb>();
    expect_options(*fflb, "发放类别：", "发放类别",
                   {{"rb_1", "仅有一次性发放职工", "仅有一次性发放职工",
                     "(领取补贴类别='TN' or 领取补贴类别='TW') or ((领取补贴类别='ZN' or "
                     "领取补贴类别='ZW') and 月领取额=0)"},
                    {"rb_2", "仅有按月发放职工", "仅有按月发放职工",
                     "(领取补贴类别='NN' or 领取补贴类别='NW')"},
                    {"rb_3", "一次性 + 按月发放", "一次性发放+按月发放",
                     "((领取补贴类别='ZN' or 领取补贴类别='ZW') and 月领取额>0)"},
                    {"rb_4", "已达标职工", "已达标职工",
                     "(领取补贴类别='TY' or 领取补贴类别='ZY' or 领取补贴类别='NY')"}});
    auto sblb = make<uo_05_search_jbxx_sblb>();
    expect_options(
        *sblb, "上报类别：", "上报类别",
        {{"rb_1", "离退休职工", "离退休职工", "(领取补贴类别='TN' or 领取补贴类别='TW')"},
         {"rb_2", "工龄满25年无房职工", "工龄满25年无房职工",
          "(领取补贴类别='ZN' and 月领取额= 0)"},
         {"rb_3", "无房新职工2004年后工作", "无房新职工2004年后工作", "( 领取补贴类别='NN'  )"}});
    auto zflb = make<uo_05_search_jbxx_zflb>();
    expect_options(*zflb, "住房类别：", "住房类别",
                   {{"rb_1", "已达标户", "已达标户", "领取补贴类别 like  '_Y%'"},
                    {"rb_2", "未达标户", "未达标户", "领取补贴类别 like  '_W%'"},
                    {"rb_3", "无房户", "无房户", "领取补贴类别 like  '_N%'"}});
    auto zglb = make<uo_05_search_jbxx_zglb>();
    expect_options(*zglb, "职工类别：", "职工类别",
                   {{"rb_1", "新职工", "新职工", "领取补贴类别 like  'N%'"},
                    {"rb_2", "在职老职工", "在职老职工", "领取补贴类别 like  'Z%'"},
                    {"rb_3", "离/退休职工", "离/退休职工", "领取补贴类别 like  'T%'"}});
}

TEST(Category, OnlyTheClickedButtonStaysChecked) {
    auto p = make<uo_05_search_jbxx_fflb>();
    host::click(p->rb_1);
    host::click(p->rb_2);
    EXPECT_FALSE(p->rb_1.checked());
    EXPECT_TRUE(p->rb_2.checked());
    EXPECT_EQ(condition(*p),
              (Condition{"仅有按月发放职工", "(领取补贴类别='NN' or 领取补贴类别='NW')", "1"}));
}

TEST(Category, TheReportingPanelsFourthOptionCannotBeChosen) {
    auto p = make<uo_05_search_jbxx_sblb>();
    EXPECT_FALSE(p->rb_4.visible());
    EXPECT_FALSE(p->rb_4.enabled());
    EXPECT_THROW(host::click(p->rb_4), host::ActionRefused);
    EXPECT_FALSE(p->rb_4.checked());
    EXPECT_EQ(condition(*p), (Condition{"", "", ""}));
}

}  // namespace
