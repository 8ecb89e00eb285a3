#include "backends.h"

#include <unistd.h>

#include <cstdlib>

namespace app_test {

std::string db_name(const ::testing::TestParamInfo<Db>& info) {
    return info.param == Db::sqlite ? "sqlite" : "postgresql";
}

void BackendTest::SetUp() {
    if (GetParam() == Db::sqlite) {
        conn = host::db::open_sqlite(":memory:");
        return;
    }
    const char* conninfo = std::getenv("TRQ05_TEST_PG");
    if (conninfo == nullptr || *conninfo == '\0') {
        if (std::getenv("CI") != nullptr) {
            FAIL() << "TRQ05_TEST_PG is not set: run the tests through scripts/with-postgres";
        }
        GTEST_SKIP() << "TRQ05_TEST_PG is not set; run through scripts/with-postgres to test "
                        "PostgreSQL";
    }
    conn = host::db::open_postgresql(conninfo);
    m_schema = "trq05_app_" + std::to_string(::getpid());
    conn->execute("DROP SCHEMA IF EXISTS " + m_schema + " CASCADE; CREATE SCHEMA " + m_schema +
                  "; SET search_path TO " + m_schema);
}

void BackendTest::TearDown() {
    if (conn && !m_schema.empty()) conn->execute("DROP SCHEMA IF EXISTS " + m_schema + " CASCADE");
}

std::vector<host::db::Value> BackendTest::rows(const std::string& sql, std::size_t* ncols) {
    std::vector<host::db::Value> out;
    auto rs = conn->select(sql);
    if (ncols != nullptr) *ncols = rs->columns().size();
    while (rs->fetch(out, 1000) > 0) {
    }
    return out;
}

}  // namespace app_test
