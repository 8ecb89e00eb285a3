#include "criteria/panels/text_match.h"

#include <gtest/gtest.h>

#include "criteria/panel_fixture.h"
#include "host/user_actions.h"

namespace {

using namespace criteria;
using testing_support::Condition;
using testing_support::condition;
using testing_support::make;

TEST(TextMatch, EqualityThenContainsThenEqualityAgain) {
    auto p = make<uo_05_search_jbxx_name>();
    host::type_and_leave(p->sle_value, "  张 三  ");
    EXPECT_EQ(condition(*p), (Condition{"等于张 三", "姓名 ='张 三'", "1"}));
    host::click(p->cbx_like);
    EXPECT_EQ(condition(*p), (Condition{"包含张 三", "姓名 like  '%张 三%'", "1"}));
    host::click(p->cbx_like);
    EXPECT_EQ(condition(*p), (Condition{"等于张 三", "姓名 ='张 三'", "1"}));
}

TEST(TextMatch, EmptyOrBlankValueIsInvalidAndKeepsTheStaleCondition) {
    auto p = make<uo_05_search_jbxx_gzdw>();
    host::click(p->cbx_like);  // empty edit
    EXPECT_EQ(condition(*p), (Condition{"", "", "0"}));
    host::type_and_leave(p->sle_value, "市财政局");
    host::type_and_leave(p->sle_value, "   ");
    EXPECT_EQ(condition(*p), (Condition{"包含市财政局", "工作单位 like  '%市财政局%'", "0"}));
}

TEST(TextMatch, TabsAndFullWidthBlanksAreValues) {
    auto p = make<uo_05_search_jbxx_jtzz>();
    host::type_and_leave(p->sle_value, "\u3000\u3000");
    EXPECT_EQ(condition(*p), (Condition{"等于\u3000\u3000", "家庭住址 ='\u3000\u3000'", "1"}));
}

TEST(TextMatch, QuotesAreDoubledInTheFragmentOnlyAndWildcardsStay) {
    auto p = make<uo_05_search_jbxx_name>();
    host::type_and_leave(p->sle_value, "O'Brien");
    EXPECT_EQ(condition(*p), (Condition{"等于O'Brien", "姓名 ='O''Brien'", "1"}));
    host::click(p->cbx_like);
    EXPECT_EQ(condition(*p), (Condition{"包含O'Brien", "姓名 like  '%O''Brien%'", "1"}));
    host::type_and_leave(p->sle_value, "张_%'; drop table t_05_baseinfo_old; --");
    EXPECT_EQ(p->control(2).tag(), "姓名 like  '%张_%''; drop table t_05_baseinfo_old; --%'");
}

TEST(TextMatch, EveryMemberNamesItsItemLabelAndColumn) {
    struct Member {
        std::unique_ptr<text_match_panel> panel;
        const char* item;
        const char* label;
        const char* column;
        int d;
    };
    Member members[] = {
        {make<uo_05_search_jbxx_name>(), "姓名", "职工姓名：", "姓名", 4},
        {make<uo_05_search_jbxx_gzdw>(), "工作单位", "工作单位：", "工作单位", 8},
        {make<uo_05_search_jbxx_sfzh>(), "身份证号", "身份证号：", "身份证号", 0},
        {make<uo_05_search_jbxx_fczh>(), "房产证号", "房产证号：", "房产证号", 16},
        {make<uo_05_search_jbxx_jtzz>(), "家庭住址", "家庭住址：", "家庭住址", 4},
        {make<uo_05_search_jbxx_flbh>(), "分类编号", "分类编号：", "分类编号", 16},
        {make<uo_05_search_jbxx_name_po>(), "姓名", "配偶姓名：", "姓名_配偶", 4},
        {make<uo_05_search_jbxx_sfzh_po>(), "身份证号", "身份证号：", "身份证号_配偶", 0},
        {make<uo_05_search_jbxx_jtzz_po>(), "家庭住址", "家庭住址：", "家庭住址_配偶", 4},
        {make<uo_05_search_jbxx_gzdw_po>(), "工作单位", "工作单位：", "工作单位_配偶", 8},
        {make<uo_05_search_jbxx_fczh_po>(), "房产证号", "房产证号：", "房产证号_配偶", 16},
    };
    for (auto& m : members) {
        SCOPED_TRACE(m.panel->class_name());
        EXPECT_EQ(m.panel->tag(), m.item);
        EXPECT_EQ(m.panel->st_2.text(), m.label);
        EXPECT_EQ(m.panel->st_2.y(), 44 + m.d);
        EXPECT_EQ(m.panel->cbx_like.y(), 324 + m.d);
        EXPECT_EQ(m.panel->sle_value.y(), 168 + m.d);
        EXPECT_EQ(m.panel->cbx_like.text(), "使用通配符");
        EXPECT_EQ(&m.panel->control(11), &m.panel->cbx_like);
        EXPECT_EQ(&m.panel->control(13), &m.panel->sle_value);
        host::type_and_leave(m.panel->sle_value, "X");
        EXPECT_EQ(m.panel->control(2).tag(), std::string{m.column} + " ='X'");
    }
}

}  // namespace
