#pragma once

// Runs one test body on both back ends. SQLite works on a temporary file; PostgreSQL on the
// server named by TRQ05_TEST_PG, in a schema of its own (tests run in parallel against one
// database), dropped afterwards. Without TRQ05_TEST_PG the PostgreSQL cases are skipped, except
// under CI, where they fail.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

#include "host/db/connection.h"
#include "host/transaction.h"

namespace trq05_test {

enum class Backend { sqlite, postgresql };

inline const char* backend_name(Backend b) {
    return b == Backend::sqlite ? "sqlite" : "postgresql";
}
inline void PrintTo(Backend b, std::ostream* os) {
    *os << backend_name(b);
}
inline std::string backend_label(const testing::TestParamInfo<Backend>& info) {
    return backend_name(info.param);
}

class BackendTest : public testing::TestWithParam<Backend> {
  protected:
    void SetUp() override {
        const std::string tag = std::to_string(::getpid()) + "_" + std::to_string(++s_counter);
        if (GetParam() == Backend::sqlite) {
            const char* tmp = std::getenv("TMPDIR");
            m_params.dbms = host::ConnectParams::Dbms::sqlite;
            m_params.database =
                std::string(tmp && *tmp ? tmp : "/tmp") + "/trq05_db_test_" + tag + ".db";
            std::remove(m_params.database.c_str());
            m_conn = host::db::open_sqlite(m_params.database);
            return;
        }
        const char* pg = std::getenv("TRQ05_TEST_PG");
        if (pg == nullptr || *pg == '\0') {
            if (std::getenv("CI") != nullptr)
                FAIL() << "TRQ05_TEST_PG is not set: run the tests through scripts/with-postgres";
            GTEST_SKIP() << "TRQ05_TEST_PG is not set; run through scripts/with-postgres to test "
                            "PostgreSQL";
        }
        m_schema = "trq05_test_" + tag;
        m_conn = host::db::open_postgresql(pg);
        m_conn->execute("DROP SCHEMA IF EXISTS " + m_schema + " CASCADE; CREATE SCHEMA " +
                        m_schema);
        m_conn.reset();
        // Every connection of this test, also those a Transaction opens, works in the schema.
        m_params.dbms = host::ConnectParams::Dbms::postgresql;
        m_params.database = std::string(pg) + " options='-csearch_path=" + m_schema + "'";
        m_conn = host::db::open_postgresql(m_params.database);
    }

    void TearDown() override {
        m_conn.reset();
        if (GetParam() == Backend::sqlite) {
            if (!m_params.database.empty()) std::remove(m_params.database.c_str());
        } else if (!m_schema.empty()) {
            try {
                host::db::open_postgresql(std::getenv("TRQ05_TEST_PG"))
                    ->execute("DROP SCHEMA " + m_schema + " CASCADE");
            } catch (const host::db::DbError& e) {
                ADD_FAILURE() << "dropping " << m_schema << ": " << e.what();
            }
        }
    }

    [[nodiscard]] bool is_pg() const { return GetParam() == Backend::postgresql; }
    host::db::Connection& db() { return *m_conn; }
    [[nodiscard]] const host::ConnectParams& params() const { return m_params; }
    [[nodiscard]] std::unique_ptr<host::db::Connection> open_another() const {
        return is_pg() ? host::db::open_postgresql(m_params.database)
                       : host::db::open_sqlite(m_params.database);
    }

    // Every row of a query, row-major, with the column count in *ncols when given.
    std::vector<host::db::Value> all_rows(const std::string& sql, std::size_t* ncols = nullptr) {
        std::vector<host::db::Value> out;
        auto rs = db().select(sql);
        if (ncols != nullptr) *ncols = rs->columns().size();
        while (rs->fetch(out, 1000) > 0) {
        }
        return out;
    }
    std::int64_t count(const std::string& table) {
        const auto rows = all_rows("SELECT count(*) FROM " + table);
        return std::get<std::int64_t>(rows.at(0));
    }

  private:
    static inline int s_counter = 0;
    host::ConnectParams m_params;
    std::string m_schema;
    std::unique_ptr<host::db::Connection> m_conn;
};

#define TRQ05_BOTH_BACKENDS(suite)                                                              \
    INSTANTIATE_TEST_SUITE_P(                                                                   \
        , suite, testing::Values(trq05_test::Backend::sqlite, trq05_test::Backend::postgresql), \
        trq05_test::backend_label)

// A behaviour that only one back end has (a dropped server connection, text in a date column).
#define TRQ05_ONE_BACKEND(suite, backend)                                            \
    INSTANTIATE_TEST_SUITE_P(, suite, testing::Values(trq05_test::Backend::backend), \
                             trq05_test::backend_label)

}  // namespace trq05_test
