#pragma once

// Runs a test on each database back end: SQLite in memory, and PostgreSQL from TRQ05_TEST_PG
// in a schema of its own (tests run in parallel against one database).

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host/db/connection.h"

namespace app_test {

enum class Db { sqlite, postgresql };

class BackendTest : public ::testing::TestWithParam<Db> {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Every row of a SELECT, row-major, with the column count in *ncols when given.
    std::vector<host::db::Value> rows(const std::string& sql, std::size_t* ncols = nullptr);

    std::unique_ptr<host::db::Connection> conn;

  private:
    std::string m_schema;
};

std::string db_name(const ::testing::TestParamInfo<Db>& info);
inline void PrintTo(Db db, std::ostream* os) {
    *os << (db == Db::sqlite ? "sqlite" : "postgresql");
}

#define APP_TEST_ON_BOTH_BACKENDS(Suite)                                                  \
    INSTANTIATE_TEST_SUITE_P(                                                             \
        Db, Suite, ::testing::Values(::app_test::Db::sqlite, ::app_test::Db::postgresql), \
        ::app_test::db_name)

}  // namespace app_test
