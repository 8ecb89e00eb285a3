#include "cli/session.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/globals.h"
#include "app/schema.h"
#include "support/sqlca_backend.h"

namespace {

struct Run {
    bool ok;
    std::string out;
};

Run run(const std::string& script) {
    std::ostringstream out;
    cli::Session session{out};
    std::istringstream in{script};
    const bool ok = session.run(in);
    return {ok, out.str()};
}

TEST(Session, TypeKeepsTheRestOfTheLineExactly) {
    const auto r =
        run("panel uo_05_search_jbxx_name\n"
            "type sle_value   a  b   \n"
            "click cbx_like\n"
            "show\n"
            "type sle_value\n"
            "show\r\n");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out,
              "display: 包含a  b\n"
              "sql: 姓名 like  '%a  b%'\n"
              "flag: 1\n"
              "display: 包含a  b\n"
              "sql: 姓名 like  '%a  b%'\n"
              "flag: 0\n");
}

TEST(Session, FailedLinesAreReportedAndTheRunGoesOn) {
    const auto r =
        run("# nothing created yet\n"
            "show\n"
            "panel uo_05_search_jbxx_all\n"
            "container uo_05_search_jbxx_name\n"
            "value 1\n"
            "panel uo_05_search_jbxx_sblb\n"
            "click rb_4\n"
            "pick rb_1 x\n"
            "\n"
            "click rb_1\n"
            "show\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.out,
              "error: line 2: no panel: use \"panel CLASS\" first\n"
              "error: line 3: no panel class named \"uo_05_search_jbxx_all\"\n"
              "error: line 4: no container class named \"uo_05_search_jbxx_name\"\n"
              "error: line 5: no container: use \"container CLASS\" first\n"
              "error: line 7: radiobutton rb_4 is not visible and cannot be used\n"
              "error: line 8: radiobutton rb_1 has no entries to pick\n"
              "display: 离退休职工\n"
              "sql: (领取补贴类别='TN' or 领取补贴类别='TW')\n"
              "flag: 1\n");
}

TEST(Session, ContainerPositionsValuesAndReset) {
    const auto r =
        run("container uo_05_search_jbxx_all_po\n"
            "value 9\n"
            "type sle_value x\n"
            "panel-at 9\n"
            "type sle_value 王芳\n"
            "value 9\n"
            "panel-at 2\n"
            "click cbx_1\n"
            "value 2\n"
            "reset\n"
            "value 2\n"
            "type em_1 2003年05月\n"
            "value 10\n"
            "panel-at x\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(
        r.out,
        "display: \nsql: \nitem: 姓名\nvalid: false\n"
        "error: line 3: no panel chosen: use \"panel-at POSITION\" first\n"
        "display: 等于王芳\nsql: 姓名_配偶 ='王芳'\nitem: 姓名\nvalid: true\n"
        "display: 未离/退休职工\nsql: 离退休时间_配偶 Is Null\nitem: 离/退休时间\nvalid: true\n"
        "display: \nsql: \nitem: 离/退休时间\nvalid: false\n"
        "error: line 12: editmask em_1 is disabled and cannot be used\n"
        "error: line 13: Array bounds exceeded: control 10 of 9 in uo_05_search_jbxx_all_po\n"
        "error: line 14: a position must be a whole number, not \"x\"\n");
}

class SessionDb : public trq05_test::SqlcaBackendTest {};

TEST_P(SessionDb, TheBankPanelListsAndPicksFromTheDatabase) {
    app::create_schema(db());
    db().execute(
        "INSERT INTO t_05_baseinfo_old (编号, 货币补贴开户行) VALUES ('1', '中国工商银行'), ('2', "
        "NULL)");
    connect_sqlca();
    const auto r =
        run("panel uo_05_search_jbxx_khh\n"
            "list sle_value\n"
            "pick sle_value 中国工商银行\n"
            "show\n"
            "container uo_05_search_jbxx_all\n"
            "panel-at 3\n"
            "list sle_value\n"
            "pick sle_value 中国工商银行\n"
            "value 3\n"
            "reset\n"
            "list sle_value\n"
            "value 3\n");
    EXPECT_TRUE(r.ok) << r.out;
    EXPECT_EQ(r.out,
              "entry: 中国工商银行\n"
              "display: 等于中国工商银行\nsql: 货币补贴开户行 ='中国工商银行'\nflag: 1\n"
              "entry: 中国工商银行\n"
              "display: 等于中国工商银行\nsql: 货币补贴开户行 ='中国工商银行'\nitem: "
              "开户行\nvalid: true\n"
              "entry: 中国工商银行\n"
              "display: \nsql: \nitem: 开户行\nvalid: false\n");
}

TRQ05_BOTH_BACKENDS(SessionDb);

}  // namespace
