#include <gtest/gtest.h>

#include "app/globals.h"
#include "app/schema.h"
#include "criteria/containers.h"
#include "criteria/panel_fixture.h"
#include "host/user_actions.h"
#include "support/sqlca_backend.h"

namespace {

using namespace criteria;
using testing_support::make;

struct Value {
    std::string display, sql, item;
    bool valid = false;
    friend bool operator==(const Value&, const Value&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Value& v) {
        return os << "{" << v.display << " | " << v.sql << " | " << v.item << " | " << v.valid
                  << "}";
    }
};

Value value(const criterion_container& c, long position) {
    Value v;
    c.of_getlastvalue(position, v.display, v.sql, v.item, v.valid);
    return v;
}

struct Placement {
    const char* control;
    const char* panel_class;
    const char* item;
};

void expect_placement(const criterion_container& c, std::initializer_list<Placement> expected) {
    ASSERT_EQ(c.control_count(), expected.size());
    long position = 1;
    for (const auto& e : expected) {
        SCOPED_TRACE(position);
        const host::UserObject& panel = c.panel(position);
        EXPECT_EQ(panel.name(), e.control);
        EXPECT_EQ(panel.class_name(), e.panel_class);
        EXPECT_FALSE(panel.visible());
        EXPECT_EQ(value(c, position), (Value{"", "", e.item, false}));
        ++position;
    }
}

TEST(Containers, PanelsStandInControlListOrderAllHiddenAndEmpty) {
    auto all = make<uo_05_search_jbxx_all>();
    expect_placement(*all, {{"uo_13", "uo_05_search_jbxx_flbh", "分类编号"},
                            {"uo_12", "uo_05_search_jbxx_sblb", "上报类别"},
                            {"uo_11", "uo_05_search_jbxx_khh", "开户行"},
                            {"uo_10", "uo_05_search_jbxx_fflb", "发放类别"},
                            {"uo_9", "uo_05_search_jbxx_jtzz", "家庭住址"},
                            {"uo_8", "uo_05_search_jbxx_txsj", "离/退休时间"},
                            {"uo_7", "uo_05_search_jbxx_gzsj", "参加工作时间"},
                            {"uo_6", "uo_05_search_jbxx_jzmjytjgt", "核定面积(含阳台及公摊)"},
                            {"uo_5", "uo_05_search_jbxx_zfcqzmj", "产权证面积"},
                            {"uo_4", "uo_05_search_jbxx_sfzh", "身份证号"},
                            {"uo_3", "uo_05_search_jbxx_gzdw", "工作单位"},
                            {"uo_2", "uo_05_search_jbxx_fczh", "房产证号"},
                            {"uo_1", "uo_05_search_jbxx_name", "姓名"}});
    auto po = make<uo_05_search_jbxx_all_po>();
    expect_placement(*po, {{"uo_9", "uo_05_search_jbxx_zfcqzmj_po", "产权证面积"},
                           {"uo_8", "uo_05_search_jbxx_txsj_po", "离/退休时间"},
                           {"uo_7", "uo_05_search_jbxx_gzsj_po", "参加工作时间"},
                           {"uo_6", "uo_05_search_jbxx_jzmjytjgt_po", "核定面积(含阳台及公摊)"},
                           {"uo_5", "uo_05_search_jbxx_fczh_po", "房产证号"},
                           {"uo_4", "uo_05_search_jbxx_gzdw_po", "工作单位"},
                           {"uo_3", "uo_05_search_jbxx_jtzz_po", "家庭住址"},
                           {"uo_2", "uo_05_search_jbxx_sfzh_po", "身份证号"},
                           {"uo_1", "uo_05_search_jbxx_name_po", "姓名"}});
    EXPECT_EQ(value(*po, 9).item, value(*all, 13).item);
    EXPECT_EQ(all->text(), "none");
    EXPECT_THROW(value(*all, 14), host::RuntimeError);
    EXPECT_THROW(value(*all, 0), host::RuntimeError);
}

TEST(Containers, ReadsTheCarriersAndTheTrimmedFlag) {
    auto all = make<uo_05_search_jbxx_all>();
    all->uo_1.set_visible(true);
    host::type_and_leave(all->uo_1.sle_value, "张三");
    EXPECT_EQ(value(*all, 13), (Value{"等于张三", "姓名 ='张三'", "姓名", true}));
    host::type_and_leave(all->uo_1.sle_value, "");
    EXPECT_EQ(value(*all, 13), (Value{"等于张三", "姓名 ='张三'", "姓名", false}));
    for (auto [flag, valid] :
         {std::pair{" 1 ", true}, std::pair{"1", true}, std::pair{"0", false}, std::pair{"", false},
          std::pair{"11", false}, std::pair{"\t1", false}}) {
        all->uo_1.st_btrue.set_tag(flag);
        EXPECT_EQ(value(*all, 13).valid, valid) << '"' << flag << '"';
    }
}

TEST(Containers, ResetEmptiesEveryConditionAndInputButKeepsTheRest) {
    auto all = make<uo_05_search_jbxx_all>();
    for (long i = 1; i <= 13; ++i) all->control(i).set_visible(true);
    host::type_and_leave(all->uo_1.sle_value, "张三");
    host::click(all->uo_1.cbx_like);
    host::click(all->uo_12.rb_2);
    host::click(all->uo_8.cbx_1);  // month edits disabled
    host::pick(all->uo_5.ddlb_1, ">=");
    host::type_and_leave(all->uo_5.em_1, "50");
    all->uo_13.st_temp2.set_tag("spare");

    all->of_reset();

    for (long i = 1; i <= 13; ++i) {
        EXPECT_EQ(value(*all, i), (Value{"", "", value(*all, i).item, false})) << i;
        EXPECT_TRUE(all->control(i).visible());
    }
    EXPECT_EQ(all->uo_13.st_temp2.tag(), "");
    EXPECT_EQ(all->uo_1.sle_value.text(), "");
    EXPECT_FALSE(all->uo_1.cbx_like.checked());
    EXPECT_TRUE(all->uo_12.rb_2.checked());  // radio buttons keep their state
    EXPECT_FALSE(all->uo_8.cbx_1.checked());
    EXPECT_FALSE(all->uo_8.em_1.enabled());  // enabled states are untouched
    EXPECT_FALSE(all->uo_8.em_2.enabled());
    EXPECT_EQ(all->uo_5.ddlb_1.text(), "");
    EXPECT_EQ(all->uo_5.ddlb_1.item_count(), 6);
    EXPECT_EQ(all->uo_5.em_1.text(), "");
    EXPECT_TRUE(all->uo_5.em_1.enabled());
    EXPECT_EQ(all->uo_12.st_2.text(), "上报类别：");  // labels keep their text
    EXPECT_EQ(all->uo_13.tag(), "分类编号");          // item names stay

    // After the reset a side whose field is still on but shows no operator takes no part.
    host::pick(all->uo_5.ddlb_2, "<");
    host::type_and_leave(all->uo_5.em_2, "90");
    EXPECT_EQ(value(*all, 9), (Value{"<90.00", "(产权证面积<'90')", "产权证面积", true}));
    // A checked radio button gives its condition again only when clicked.
    host::click(all->uo_12.rb_2);
    EXPECT_TRUE(value(*all, 2).valid);
    // Ticking and unticking the box makes the months editable again.
    host::click(all->uo_8.cbx_1);
    host::click(all->uo_8.cbx_1);
    EXPECT_TRUE(all->uo_8.em_1.enabled());
}

TEST(Containers, SpouseContainerResetsToo) {
    auto po = make<uo_05_search_jbxx_all_po>();
    for (long i = 1; i <= 9; ++i) po->control(i).set_visible(true);
    host::type_and_leave(po->uo_1.sle_value, "王芳");
    host::pick(po->uo_9.ddlb_1, ">");
    host::type_and_leave(po->uo_9.em_1, "60");
    host::type_and_leave(po->uo_7.em_1, "2003年05月");
    po->of_reset();
    for (long i = 1; i <= 9; ++i) EXPECT_FALSE(value(*po, i).valid) << i;
    EXPECT_EQ(po->uo_1.sle_value.text(), "");
    EXPECT_EQ(po->uo_7.em_1.text(), "");
    // Neither side shows an operator now: a number typed into the field still on is no condition.
    host::type_and_leave(po->uo_9.em_1, "70");
    EXPECT_EQ(value(*po, 1), (Value{"", "", "产权证面积", false}));
}

TEST(Containers, HidingEveryPanelLeavesItBlank) {
    auto all = make<uo_05_search_jbxx_all>();
    all->uo_3.set_visible(true);
    all->of_setobjectnotvisible();
    for (long i = 1; i <= 13; ++i) EXPECT_FALSE(all->control(i).visible());
}

class ContainerBank : public trq05_test::SqlcaBackendTest {};

TEST_P(ContainerBank, ResetKeepsTheBankListAndSelectsNothing) {
    app::create_schema(db());
    db().execute(
        "INSERT INTO t_05_baseinfo_old (编号, 货币补贴开户行) VALUES ('1', '招商银行'), ('2', "
        "'中国银行')");
    connect_sqlca();
    auto all = make<uo_05_search_jbxx_all>();
    app::sqlca.disconnect();
    all->uo_11.set_visible(true);
    host::pick(all->uo_11.sle_value, "中国银行");
    EXPECT_TRUE(value(*all, 3).valid);
    all->of_reset();
    EXPECT_EQ(all->uo_11.sle_value.item_count(), 2);
    EXPECT_EQ(all->uo_11.sle_value.selectedindex(), 0);
    EXPECT_EQ(all->uo_11.sle_value.text(), "");
    EXPECT_EQ(value(*all, 3), (Value{"", "", "开户行", false}));
}

TRQ05_BOTH_BACKENDS(ContainerBank);

}  // namespace
