#pragma once

// The employee-record table `t_05_baseinfo_old`: its columns, defined once, and the statements
// that create it (with the indexes the searches use) on either back end.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "host/db/connection.h"

namespace app {

inline constexpr std::string_view baseinfo_table = "t_05_baseinfo_old";

// The logical type of a column; each back end renders it in its own words.
enum class ColumnKind {
    text,    // VARCHAR(length)
    date,    // PostgreSQL date; SQLite DATE holding 'YYYY-MM-DD' text
    area,    // square metres, NUMERIC(12,4)
    amount,  // yuan, NUMERIC(12,2)
};

struct ColumnDef {
    std::string_view name;
    ColumnKind kind;
    int length = 0;  // text only: the most characters the column holds
};

// Every column of the table, in table order; the first, 编号, is the primary key.
[[nodiscard]] std::span<const ColumnDef> baseinfo_columns();

// Position of a column in baseinfo_columns(); throws std::out_of_range for an unknown name.
[[nodiscard]] std::size_t column_index(std::string_view name);

enum class Backend { sqlite, postgresql };

// Backend of a connection, from its backend_name(); throws std::invalid_argument otherwise.
[[nodiscard]] Backend backend_of(const host::db::Connection& conn);

// The CREATE TABLE statement (IF NOT EXISTS) for one back end.
[[nodiscard]] std::string create_table_sql(Backend backend);
// The CREATE INDEX statements (IF NOT EXISTS), separated by ';'.
[[nodiscard]] std::string create_indexes_sql();

// Creates the table and its indexes when they are missing; leaves existing ones alone.
void create_schema(host::db::Connection& conn);

}  // namespace app
