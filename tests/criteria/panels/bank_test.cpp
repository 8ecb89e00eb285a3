#include "criteria/panels/bank.h"

#include <gtest/gtest.h>

#include "app/globals.h"
#include "app/schema.h"
#include "criteria/panel_fixture.h"
#include "host/user_actions.h"
#include "support/sqlca_backend.h"

namespace {

using criteria::uo_05_search_jbxx_khh;
using testing_support::Condition;
using testing_support::condition;
using testing_support::make;

class BankPanel : public trq05_test::SqlcaBackendTest {
  protected:
    void SetUp() override {
        SqlcaBackendTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        app::create_schema(db());
        db().execute(
            "INSERT INTO t_05_baseinfo_old (编号, 姓名, 货币补贴开户行) VALUES "
            "('1', '张三', '中国工商银行'), ('2', '李四', '中国建设银行'), ('3', '王五', NULL), "
            "('4', '赵六', '中国工商银行'), ('5', '钱七', ' 交通银行 '), ('6', '孙八', 'O''Neil "
            "Bank'), ('7', '周九', '  ')");
        connect_sqlca();
    }
};

TEST_P(BankPanel, ListsEachBankOnceInTheDatabasesOrderWithoutNull) {
    auto p = make<uo_05_search_jbxx_khh>();
    std::vector<std::string> expected;
    for (const auto& v : all_rows("Select distinct 货币补贴开户行 from t_05_baseinfo_old ")) {
        if (!host::db::is_null(v)) expected.push_back(std::get<std::string>(v));
    }
    EXPECT_EQ(p->sle_value.items(), expected);
    EXPECT_EQ(p->sle_value.items().size(), 5U);
    EXPECT_EQ(p->sle_value.text(), "");
    EXPECT_EQ(condition(*p), (Condition{"", "", ""}));
}

TEST_P(BankPanel, PickingABankGivesEqualityOnTheTrimmedName) {
    auto p = make<uo_05_search_jbxx_khh>();
    host::pick(p->sle_value, "中国工商银行");
    EXPECT_EQ(condition(*p),
              (Condition{"等于中国工商银行", "货币补贴开户行 ='中国工商银行'", "1"}));
    host::pick(p->sle_value, " 交通银行 ");
    EXPECT_EQ(condition(*p), (Condition{"等于交通银行", "货币补贴开户行 ='交通银行'", "1"}));
    // Tested without its blanks, the bank stored with them matches no row.
    EXPECT_TRUE(
        all_rows("SELECT 编号 FROM t_05_baseinfo_old where (" + p->control(2).tag() + ")").empty());
    host::pick(p->sle_value, "  ");  // an all-blank bank is no condition
    EXPECT_EQ(condition(*p), (Condition{"等于交通银行", "货币补贴开户行 ='交通银行'", "0"}));
    host::pick(p->sle_value, "O'Neil Bank");
    EXPECT_EQ(condition(*p), (Condition{"等于O'Neil Bank", "货币补贴开户行 ='O''Neil Bank'", "1"}));
    // The fragment runs and finds the bank's record.
    const auto rows = all_rows("SELECT 编号 FROM t_05_baseinfo_old where ('1'='1') and (" +
                               p->control(2).tag() + ")");
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(std::get<std::string>(rows[0]), "6");
}

TRQ05_BOTH_BACKENDS(BankPanel);

TEST(BankPanelOffline, AnUnreachableDatabaseGivesAnEmptyListAndNoError) {
    app::sqlca.params = {host::ConnectParams::Dbms::sqlite, "/nonexistent-folder/none.sqlite"};
    app::sqlca.connect();
    ASSERT_NE(app::sqlca.sqlcode(), 0);
    std::string reported;
    host::set_script_error_handler([&](const std::string& m) { reported = m; });
    auto p = make<uo_05_search_jbxx_khh>();
    host::set_script_error_handler(nullptr);
    EXPECT_TRUE(p->sle_value.items().empty());
    EXPECT_EQ(reported, "");
    EXPECT_THROW(host::pick(p->sle_value, "中国工商银行"), host::ActionRefused);
    EXPECT_EQ(condition(*p), (Condition{"", "", ""}));
}

}  // namespace
