#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <string>
#include <vector>

#include "support/backends.h"

namespace {

using host::Date;
using host::db::ColumnType;
using host::db::DbError;
using host::db::Value;
using trq05_test::BackendTest;

class Connection : public BackendTest {};
TRQ05_BOTH_BACKENDS(Connection);
class SqliteConnection : public BackendTest {};
TRQ05_ONE_BACKEND(SqliteConnection, sqlite);
class PostgresConnection : public BackendTest {};
TRQ05_ONE_BACKEND(PostgresConnection, postgresql);

TEST_P(Connection, TypedReadsKeepNullsDatesDecimalsAndChinese) {
    db().execute(
        "CREATE TABLE 人员 (编号 INTEGER, 姓名 VARCHAR(40), 面积 NUMERIC(10,2), "
        "系数 DOUBLE PRECISION, 出生日期 DATE);"
        "INSERT INTO 人员 VALUES (1, '张三', 75.0, 0.1, '1980-02-29');"
        "INSERT INTO 人员 VALUES (2, NULL, NULL, NULL, NULL);"
        "INSERT INTO 人员 VALUES (3, 'O''Brien', 75.25, -2.5, '2024-12-31');");
    auto rs = db().select("SELECT 编号, 姓名, 面积, 系数, 出生日期 FROM 人员 ORDER BY 编号");

    const auto& cols = rs->columns();
    ASSERT_EQ(cols.size(), 5u);
    const std::array<std::pair<const char*, ColumnType>, 5> want_cols{{
        {"编号", ColumnType::integer},
        {"姓名", ColumnType::text},
        {"面积", ColumnType::decimal},
        {"系数", ColumnType::real},
        {"出生日期", ColumnType::date},
    }};
    for (std::size_t i = 0; i < cols.size(); ++i) {
        EXPECT_EQ(cols[i].name, want_cols[i].first);
        EXPECT_EQ(cols[i].type, want_cols[i].second) << cols[i].name;
    }

    std::vector<Value> rows;
    while (rs->fetch(rows, 2) > 0) {
    }
    const std::vector<Value> want{
        std::int64_t{1},
        std::string{"张三"},
        75.0,
        0.1,
        Date{1980, 2, 29},
        std::int64_t{2},
        {},
        {},
        {},
        {},
        std::int64_t{3},
        std::string{"O'Brien"},
        75.25,
        -2.5,
        Date{2024, 12, 31},
    };
    EXPECT_EQ(rows, want);  // 75.0 in particular arrives as a double, not the integer 75
}

// PostgreSQL stores only real dates.
TEST_P(SqliteConnection, DateColumnKeepsTextThatIsNotADate) {
    db().execute("CREATE TABLE d (v DATE); INSERT INTO d VALUES ('2024-02-30'), ('2024-02-29');");
    const std::vector<Value> want{Date{2024, 2, 29}, std::string{"2024-02-30"}};
    EXPECT_EQ(all_rows("SELECT v FROM d ORDER BY v"), want);
}

TEST_P(Connection, BatchesOfAnySizeDeliverEveryRowOnce) {
    const int n = 20003;
    db().execute("CREATE TABLE b (id INTEGER, name VARCHAR(20))");
    {
        const std::array<std::string, 2> cols{"id", "name"};
        auto load = db().bulk_load("b", cols);
        for (int i = 1; i <= n; ++i) {
            const std::array<Value, 2> row{std::int64_t{i}, "名" + std::to_string(i)};
            load->add_row(row);
        }
        load->finish();
    }
    for (const std::size_t max_rows :
         {std::size_t{1}, std::size_t{7}, std::size_t{4096}, std::size_t{4097},
          static_cast<std::size_t>(n), static_cast<std::size_t>(n) + 10}) {
        SCOPED_TRACE("max_rows " + std::to_string(max_rows));
        auto rs = db().select("SELECT id, name FROM b ORDER BY id");
        std::vector<Value> out;
        std::size_t got = 0, calls = 0;
        while (const std::size_t k = rs->fetch(out, max_rows)) {
            ASSERT_LE(k, max_rows);
            got += k;
            ++calls;
        }
        ASSERT_EQ(got, static_cast<std::size_t>(n));
        EXPECT_EQ(calls, (got + max_rows - 1) / max_rows);
        ASSERT_EQ(out.size(), 2 * got);
        for (std::size_t i = 0; i < got; ++i) {
            ASSERT_EQ(out[2 * i], Value{static_cast<std::int64_t>(i + 1)});
            ASSERT_EQ(out[2 * i + 1], Value{"名" + std::to_string(i + 1)});
        }
        EXPECT_EQ(rs->fetch(out, max_rows), 0u);  // stays exhausted
    }
}

TEST_P(Connection, RefusesAnythingButOneQueryAndRunsNothing) {
    db().execute("CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (1), (2);");
    const std::vector<std::string> refused{
        "",
        "  \n\t ",
        "-- only a comment",
        ";",
        "SELECT 1; SELECT 2",
        "SELECT a FROM t; DELETE FROM t",
        "SELECT a FROM t;\nDROP TABLE t;",
        "INSERT INTO t VALUES (9)",
        "UPDATE t SET a = 0",
        "DELETE FROM t",
        "/* SELECT */ DELETE FROM t",
        "CREATE TABLE x (a INTEGER)",
        "CREATE TABLE x AS SELECT a FROM t",
        "DROP TABLE t",
    };
    for (const std::string& sql : refused) {
        SCOPED_TRACE(sql);
        try {
            auto rs = db().select(sql);
            ADD_FAILURE() << "not refused";
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::refused) << e.what();
            EXPECT_STRNE(e.what(), "");
        }
        EXPECT_EQ(count("t"), 2);
        EXPECT_THROW((void)db().select("SELECT a FROM x"), DbError) << "table x was created";
    }
}

// SQLite ends a block comment at its first "*/", so the PRAGMA below is its first statement.
TEST_P(SqliteConnection, BlockCommentsDoNotNestSoAStatementAfterOneIsSeen) {
    const std::string sql = "/* /* */ PRAGMA locking_mode = EXCLUSIVE -- */ SELECT 1";
    try {
        auto rs = db().select(sql);
        ADD_FAILURE() << "not refused";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::refused) << e.what();
    }
}

TEST_P(Connection, QueriesThatWouldWriteFailAndChangeNothing) {
    db().execute("CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (1), (2);");
    for (const std::string sql :
         {"WITH d AS (DELETE FROM t RETURNING a) SELECT a FROM d", "SELECT a INTO x FROM t"}) {
        SCOPED_TRACE(sql);
        EXPECT_THROW(
            {
                std::vector<Value> out;
                db().select(sql)->fetch(out, 10);
            },
            DbError);
        EXPECT_EQ(count("t"), 2);
        EXPECT_THROW((void)db().select("SELECT a FROM x"), DbError) << "table x was created";
    }
}

TEST_P(Connection, AcceptsOneQueryWithQuotesCommentsAndTrailingSemicolon) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"SELECT 'O''Brien'", "O'Brien"},
        {"SELECT 'a;b'", "a;b"},
        {"SELECT 'x';", "x"},
        {"  select 'x' ;  \n", "x"},
        {"SELECT 'x'; -- done", "x"},
        {"SELECT 'x' -- ; DELETE FROM t", "x"},
        {"SELECT 'x' /* ; DELETE FROM t */", "x"},
        {"-- the name\nSELECT '张三'", "张三"},
        {"WITH a AS (SELECT 'x' AS v) SELECT v FROM a", "x"},
    };
    for (const auto& [sql, want] : cases) {
        SCOPED_TRACE(sql);
        std::vector<Value> rows;
        ASSERT_NO_THROW(rows = all_rows(sql));
        EXPECT_EQ(rows, std::vector<Value>{want});
    }
}

TEST_P(Connection, StatementErrorsCarryTheDatabasesText) {
    try {
        (void)db().select("SELECT 编号 FROM 不存在的表");
        ADD_FAILURE() << "no error";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::statement);
        EXPECT_NE(std::string{e.what()}.find("不存在的表"), std::string::npos) << e.what();
        if (is_pg()) {
            EXPECT_EQ(e.sqlstate(), "42P01");
        } else {
            EXPECT_EQ(e.code(), SQLITE_ERROR);
        }
    }
    db().execute("CREATE TABLE u (a INTEGER PRIMARY KEY)");
    db().execute("INSERT INTO u VALUES (1)");
    try {
        db().execute("INSERT INTO u VALUES (1)");
        ADD_FAILURE() << "no error";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::statement);
        EXPECT_NE(std::string{e.what()}.find(is_pg() ? "duplicate key" : "UNIQUE"),
                  std::string::npos)
            << e.what();
        if (is_pg()) {
            EXPECT_EQ(e.sqlstate(), "23505");
        } else {
            EXPECT_EQ(e.code(), SQLITE_CONSTRAINT_PRIMARYKEY);
        }
    }
    EXPECT_EQ(count("u"), 1);  // and the connection still works
}

TEST_P(Connection, ErrorWhileReadingRowsIsReportedAndTheConnectionRecovers) {
    db().execute("CREATE TABLE t (a INTEGER)");
    {
        const std::array<std::string, 1> cols{"a"};
        auto load = db().bulk_load("t", cols);
        for (int i = 1; i <= 100; ++i) {
            const std::array<Value, 1> row{std::int64_t{i}};
            load->add_row(row);
        }
        load->finish();
    }
    std::vector<Value> out;
    try {
        // abs() of the smallest 64-bit integer overflows on both databases, at row 50.
        auto rs = db().select(
            "SELECT CASE WHEN a = 50 THEN abs(-9223372036854775807 - 1) ELSE a END FROM t "
            "ORDER BY a");
        while (rs->fetch(out, 10) > 0) {
        }
        ADD_FAILURE() << "no error";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::statement);
        EXPECT_STRNE(e.what(), "");
    }
    EXPECT_LT(out.size(), 50u);
    db().execute("INSERT INTO t VALUES (0)");
    EXPECT_EQ(count("t"), 101);
}

TEST_P(Connection, ResultSetDestroyedEarlyLeavesTheConnectionUsable) {
    // Enough rows that the server is still sending when the reader gives up.
    const int n = 100000;
    db().execute("CREATE TABLE t (a INTEGER)");
    {
        const std::array<std::string, 1> cols{"a"};
        auto load = db().bulk_load("t", cols);
        for (int i = 0; i < n; ++i) {
            const std::array<Value, 1> row{std::int64_t{i}};
            load->add_row(row);
        }
        load->finish();
    }
    {
        // Two open at once, read in turns, both abandoned half way.
        auto first = db().select("SELECT a FROM t ORDER BY a");
        auto second = db().select("SELECT a FROM t ORDER BY a DESC");
        std::vector<Value> a, b;
        ASSERT_EQ(first->fetch(a, 3), 3u);
        ASSERT_EQ(second->fetch(b, 2), 2u);
        ASSERT_EQ(first->fetch(a, 1), 1u);
        EXPECT_EQ(a.back(), Value{std::int64_t{3}});
        EXPECT_EQ(b.back(), Value{std::int64_t{n - 2}});
    }
    // Writes work again, on this connection and on another one (no lock or read-only
    // transaction is left behind).
    db().execute("INSERT INTO t VALUES (-1)");
    open_another()->execute("INSERT INTO t VALUES (-2)");
    EXPECT_EQ(count("t"), n + 2);
    {
        // One abandoned before its first fetch, then one read to the end.
        auto unread = db().select("SELECT a FROM t");
    }
    EXPECT_EQ(all_rows("SELECT a FROM t ORDER BY a").size(), static_cast<std::size_t>(n + 2));
}

TEST_P(Connection, BulkLoadCommitsOnFinishAndDiscardsOtherwise) {
    db().execute(
        "CREATE TABLE 补贴 (编号 INTEGER, 货币补贴开户行 VARCHAR(200), 金额 NUMERIC(12,2), "
        "系数 DOUBLE PRECISION, 发放日期 DATE)");
    const std::array<std::string, 5> cols{"编号", "货币补贴开户行", "金额", "系数", "发放日期"};
    const std::vector<std::vector<Value>> rows{
        {std::int64_t{1}, std::string{"中国银行\t东城支行"}, 1234.5, 0.25, Date{2023, 1, 31}},
        {std::int64_t{2}, std::string{"line\nbreak\r\nand \\ backslash \\N"}, {}, 1e-7, {}},
        {std::int64_t{3}, {}, 75.0, -3.0, Date{1999, 12, 31}},
        {std::int64_t{4}, std::string{""}, 0.0, {}, Date{2000, 2, 29}},
    };
    {
        auto load = db().bulk_load("补贴", cols);
        for (const auto& r : rows) load->add_row(r);
        load->finish();
    }
    std::vector<Value> want;
    for (const auto& r : rows) want.insert(want.end(), r.begin(), r.end());
    const std::string query =
        "SELECT 编号, 货币补贴开户行, 金额, 系数, 发放日期 FROM 补贴 ORDER BY 编号";
    EXPECT_EQ(all_rows(query), want);

    {
        auto load = db().bulk_load("补贴", cols);
        load->add_row(rows[0]);
        load->add_row(rows[1]);
    }  // no finish(): discarded
    EXPECT_EQ(all_rows(query), want);
    db().execute("INSERT INTO 补贴 (编号) VALUES (5)");
    EXPECT_EQ(count("补贴"), 5);
}

// A query that changes a setting for the session leaves it as it was.
TEST_P(PostgresConnection, SettingsAQueryChangesDoNotOutliveIt) {
    (void)all_rows("SELECT set_config('DateStyle', 'German', false)");
    const std::vector<Value> want{Date{2024, 5, 6}};
    EXPECT_EQ(all_rows("SELECT DATE '2024-05-06'"), want);
}

// SQLite runs such a query inside the open transaction and leaves it open.
TEST_P(PostgresConnection, QueryInsideAnOpenTransactionIsRefusedAndEndsNothing) {
    db().execute("CREATE TABLE t (a INTEGER)");
    db().execute("BEGIN; INSERT INTO t VALUES (1)");
    try {
        auto rs = db().select("SELECT a FROM t");
        ADD_FAILURE() << "not refused";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::refused) << e.what();
    }
    db().execute("INSERT INTO t VALUES (2); COMMIT");
    EXPECT_EQ(count("t"), 2);
}

// An SQLite file cannot go away under its connection.
TEST_P(PostgresConnection, LostConnectionIsReportedAsSuch) {
    const auto pid = all_rows("SELECT pg_backend_pid()").at(0);
    open_another()->execute("SELECT pg_terminate_backend(" +
                            std::to_string(std::get<std::int64_t>(pid)) + ", 10000)");
    try {
        (void)db().select("SELECT 1");
        ADD_FAILURE() << "no error";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::connection) << e.what();
        EXPECT_STRNE(e.what(), "");
    }
}

TEST(ConnectionOpen, SqliteCreatesAMissingFileAndMemoryWorks) {
    const std::string path = "/tmp/trq05_db_create_" + std::to_string(::getpid()) + ".db";
    std::remove(path.c_str());
    for (const std::string& where : {path, std::string{":memory:"}}) {
        SCOPED_TRACE(where);
        auto conn = host::db::open_sqlite(where);
        EXPECT_EQ(conn->backend_name(), "sqlite");
        conn->execute("CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (7);");
        std::vector<Value> out;
        EXPECT_EQ(conn->select("SELECT a FROM t")->fetch(out, 5), 1u);
        EXPECT_EQ(out, std::vector<Value>{std::int64_t{7}});
    }
    EXPECT_EQ(::access(path.c_str(), F_OK), 0);
    std::remove(path.c_str());
}

TEST(ConnectionOpen, UnreachableDatabasesGiveConnectionErrors) {
    const std::string garbage = "/tmp/trq05_db_garbage_" + std::to_string(::getpid()) + ".db";
    if (FILE* f = std::fopen(garbage.c_str(), "w")) {
        std::fputs("this is not an SQLite database, not even close to one....\n", f);
        std::fclose(f);
    }
    const std::vector<std::pair<bool, std::string>> cases{
        {false, "/nonexistent-trq05-dir/sub/x.db"},
        {false, garbage},
        {true, "host=127.0.0.1 port=1 dbname=x user=postgres connect_timeout=5"},
        {true, "this is not a connection string"},
    };
    for (const auto& [pg, where] : cases) {
        SCOPED_TRACE(where);
        try {
            auto conn = pg ? host::db::open_postgresql(where) : host::db::open_sqlite(where);
            ADD_FAILURE() << "opened";
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::connection);
            EXPECT_STRNE(e.what(), "");
        }
    }
    std::remove(garbage.c_str());
}

}  // namespace
