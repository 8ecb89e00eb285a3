#include <gtest/gtest.h>
#include <sqlite3.h>

#include <optional>
#include <string>
#include <vector>

#include "host/transaction.h"
#include "support/backends.h"

namespace {

using host::Cursor;
using host::Transaction;
using host::db::Value;
using trq05_test::BackendTest;

class Sqlca : public BackendTest {
  protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        db().execute(
            "CREATE TABLE 住户 (编号 INTEGER, 姓名 VARCHAR(40), 面积 NUMERIC(10,2), "
            "系数 DOUBLE PRECISION, 登记日期 DATE);"
            "INSERT INTO 住户 VALUES (1, '李四', 75.0, 0.1, '2024-02-29');"
            "INSERT INTO 住户 VALUES (2, NULL, 60.5, 1e20, NULL);"
            "INSERT INTO 住户 VALUES (3, 'O''Brien', NULL, NULL, '1990-01-01');");
        trans.params = params();
        trans.connect();
        ASSERT_EQ(trans.sqlcode(), 0) << trans.sqlerrtext();
    }

    Transaction trans;
};
TRQ05_BOTH_BACKENDS(Sqlca);
class PostgresSqlca : public Sqlca {};
TRQ05_ONE_BACKEND(PostgresSqlca, postgresql);

TEST_P(Sqlca, FetchGivesZeroPerRowThenHundredAndMinusOneWhenNotOpen) {
    Cursor c(trans, "SELECT 姓名 FROM 住户 ORDER BY 编号");
    std::optional<std::string> into{"untouched"};
    c.fetch_into(into);
    EXPECT_EQ(trans.sqlcode(), -1);
    EXPECT_EQ(trans.sqlerrtext(), "The cursor is not open.");

    c.open();
    ASSERT_EQ(trans.sqlcode(), 0) << trans.sqlerrtext();
    ASSERT_EQ(c.columns().size(), 1u);
    EXPECT_EQ(c.columns()[0].name, "姓名");
    const std::vector<std::optional<std::string>> want{"李四", std::nullopt, "O'Brien"};
    for (const auto& w : want) {
        into = "stale";
        c.fetch_into(into);
        ASSERT_EQ(trans.sqlcode(), 0) << trans.sqlerrtext();
        EXPECT_EQ(into, w);
    }
    for (int i = 0; i < 2; ++i) {
        c.fetch_into(into);
        EXPECT_EQ(trans.sqlcode(), 100);
    }
    c.close();
    EXPECT_EQ(trans.sqlcode(), 0);
    c.close();
    EXPECT_EQ(trans.sqlcode(), -1);
    c.fetch_into(into);
    EXPECT_EQ(trans.sqlcode(), -1);

    c.open();  // a closed cursor opens again from the first row
    c.fetch_into(into);
    EXPECT_EQ(trans.sqlcode(), 0);
    EXPECT_EQ(into, "李四");
}

TEST_P(Sqlca, FetchIntoGivesEachTypeAsText) {
    const std::vector<std::pair<std::string, std::vector<std::optional<std::string>>>> cases{
        {"编号", {"1", "2", "3"}},
        {"面积", {"75", "60.5", std::nullopt}},
        {"系数", {"0.1", "1e+20", std::nullopt}},
        {"登记日期", {"2024-02-29", std::nullopt, "1990-01-01"}},
    };
    for (const auto& [column, want] : cases) {
        SCOPED_TRACE(column);
        Cursor c(trans, "SELECT " + column + " FROM 住户 ORDER BY 编号");
        c.open();
        ASSERT_EQ(trans.sqlcode(), 0) << trans.sqlerrtext();
        std::vector<std::optional<std::string>> got;
        for (std::optional<std::string> into;;) {
            c.fetch_into(into);
            if (trans.sqlcode() != 0) break;
            got.push_back(into);
        }
        EXPECT_EQ(trans.sqlcode(), 100);
        EXPECT_EQ(got, want);
    }
}

TEST_P(Sqlca, FetchBatchFillsAGridInSlices) {
    Cursor c(trans, "SELECT 编号, 登记日期 FROM 住户 ORDER BY 编号");
    c.open();
    ASSERT_EQ(trans.sqlcode(), 0) << trans.sqlerrtext();
    std::vector<Value> grid;
    EXPECT_EQ(c.fetch_batch(grid, 2), 2u);
    EXPECT_EQ(trans.sqlcode(), 0);
    EXPECT_EQ(c.fetch_batch(grid, 2), 1u);
    EXPECT_EQ(trans.sqlcode(), 0);
    EXPECT_EQ(c.fetch_batch(grid, 2), 0u);
    EXPECT_EQ(trans.sqlcode(), 100);
    const std::vector<Value> want{std::int64_t{1}, host::Date{2024, 2, 29}, std::int64_t{2}, {},
                                  std::int64_t{3}, host::Date{1990, 1, 1}};
    EXPECT_EQ(grid, want);
}

TEST_P(Sqlca, RefusedAndFailingStatementsSetMinusOneWithTheReason) {
    {
        Cursor c(trans, "DELETE FROM 住户");
        c.open();
        EXPECT_EQ(trans.sqlcode(), -1);
        EXPECT_FALSE(trans.sqlerrtext().empty());
        std::optional<std::string> into;
        c.fetch_into(into);
        EXPECT_EQ(trans.sqlcode(), -1);
    }
    {
        Cursor c(trans, "SELECT 姓名 FROM 没有这张表");
        c.open();
        EXPECT_EQ(trans.sqlcode(), -1);
        EXPECT_NE(trans.sqlerrtext().find("没有这张表"), std::string::npos) << trans.sqlerrtext();
        if (is_pg()) {
            EXPECT_EQ(trans.sqlstate(), "42P01");
        } else {
            EXPECT_EQ(trans.sqldbcode(), SQLITE_ERROR);
        }
    }
    Cursor c(trans, "SELECT count(*) FROM 住户");
    c.open();
    std::optional<std::string> n;
    c.fetch_into(n);
    EXPECT_EQ(trans.sqlcode(), 0);
    EXPECT_EQ(trans.sqldbcode(), 0);
    EXPECT_EQ(trans.sqlerrtext(), "");
    EXPECT_EQ(n, "3");  // nothing was deleted
}

TEST_P(Sqlca, DisconnectClosesOpenCursors) {
    Cursor c(trans, "SELECT 编号 FROM 住户");
    c.open();
    ASSERT_EQ(trans.sqlcode(), 0);
    trans.disconnect();
    EXPECT_EQ(trans.sqlcode(), 0);
    EXPECT_FALSE(trans.connected());
    std::optional<std::string> into;
    c.fetch_into(into);
    EXPECT_EQ(trans.sqlcode(), -1);
    c.open();
    EXPECT_EQ(trans.sqlcode(), -1);
    EXPECT_EQ(trans.sqlerrtext(), "Not connected to a database.");
    trans.disconnect();  // not connected: still a success
    EXPECT_EQ(trans.sqlcode(), 0);
}

// An SQLite file cannot go away under its connection.
TEST_P(PostgresSqlca, LostConnectionMakesTheNextStatementFail) {
    Cursor pid_cursor(trans, "SELECT pg_backend_pid()");
    pid_cursor.open();
    std::optional<std::string> pid;
    pid_cursor.fetch_into(pid);
    pid_cursor.close();
    ASSERT_TRUE(pid.has_value());
    db().execute("SELECT pg_terminate_backend(" + *pid + ", 10000)");
    Cursor c(trans, "SELECT 编号 FROM 住户");
    c.open();
    EXPECT_EQ(trans.sqlcode(), -1);
    EXPECT_FALSE(trans.sqlerrtext().empty());
}

TEST(SqlcaNotConnected, CursorsFailWithAClearReason) {
    Transaction trans;
    Cursor c(trans, "SELECT 1");
    c.open();
    EXPECT_EQ(trans.sqlcode(), -1);
    EXPECT_EQ(trans.sqlerrtext(), "Not connected to a database.");
    std::vector<Value> out;
    EXPECT_EQ(c.fetch_batch(out, 10), 0u);
    EXPECT_EQ(trans.sqlcode(), -1);
}

TEST(SqlcaNotConnected, UnreachableDatabaseGivesMinusOneAndTheReason) {
    using Dbms = host::ConnectParams::Dbms;
    const std::vector<host::ConnectParams> cases{
        {Dbms::sqlite, "/nonexistent-trq05-dir/sub/x.db"},
        {Dbms::postgresql, "host=127.0.0.1 port=1 dbname=x user=postgres connect_timeout=5"},
    };
    for (const auto& p : cases) {
        SCOPED_TRACE(p.database);
        Transaction trans;
        trans.params = p;
        trans.connect();
        EXPECT_EQ(trans.sqlcode(), -1);
        EXPECT_FALSE(trans.sqlerrtext().empty());
        EXPECT_FALSE(trans.connected());
        Cursor c(trans, "SELECT 1");
        c.open();
        EXPECT_EQ(trans.sqlcode(), -1);
        EXPECT_EQ(trans.sqlerrtext(), "Not connected to a database.");
    }
}

}  // namespace
