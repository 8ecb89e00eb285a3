#include <gtest/gtest.h>

#include "host/db/sql_scan.h"

namespace {

using host::db::detail::scan_statements;

TEST(SqlScan, CountsStatementsPastQuotesAndComments) {
    struct Case {
        const char* sql;
        bool single_query;
        const char* first_statement;
    };
    const Case cases[] = {
        {"SELECT 1", true, "SELECT 1"},
        {"select 1 ;  ", true, "select 1"},
        {"SELECT ';' AS a", true, "SELECT ';' AS a"},
        {"SELECT 'O''Brien; x'", true, "SELECT 'O''Brien; x'"},
        {"SELECT E'\\'; DROP TABLE t; '", true, "SELECT E'\\'; DROP TABLE t; '"},
        {"SELECT \"a;b\" FROM t", true, "SELECT \"a;b\" FROM t"},
        {"SELECT $$;$$, $q$ ; $$ $q$", true, "SELECT $$;$$, $q$ ; $$ $q$"},
        {"SELECT 1 /* ; /* nested ; */ still ; */", true, "SELECT 1"},
        {"-- a; b\nSELECT 1 -- c; d", true, "-- a; b\nSELECT 1"},
        {"(SELECT 1) UNION (SELECT 2)", true, "(SELECT 1) UNION (SELECT 2)"},
        {"WITH a AS (SELECT 1) SELECT * FROM a", true, "WITH a AS (SELECT 1) SELECT * FROM a"},
        {"SELECT 1; SELECT 2", false, "SELECT 1"},
        {"SELECT 1;;DELETE FROM t", false, "SELECT 1"},
        {"DELETE FROM t", false, "DELETE FROM t"},
        {"SELECTx", false, "SELECTx"},
        {"", false, ""},
        {" ; -- nothing", false, ""},
    };
    for (const Case& c : cases) {
        const auto s = scan_statements(c.sql);
        EXPECT_EQ(host::db::detail::is_single_query(s), c.single_query) << c.sql;
        EXPECT_EQ(std::string_view(c.sql).substr(0, s.end), c.first_statement) << c.sql;
    }
}

}  // namespace
