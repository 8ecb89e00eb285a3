#pragma once

// The database back ends behind one interface. Nothing here knows the module: these are the
// connections that the transaction `sqlca` (host/transaction.h) and the application's own
// maintenance (schema, demo data) run on.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/date.h"

namespace host::db {

// One value of a row: null, whole number, floating-point number (areas and amounts), text or date.
using Value = std::variant<std::monostate, std::int64_t, double, std::string, Date>;

inline bool is_null(const Value& v) {
    return std::holds_alternative<std::monostate>(v);
}

enum class ColumnType { integer, real, decimal, text, date, other };

struct ColumnInfo {
    std::string name;
    ColumnType type = ColumnType::other;
};

class DbError : public std::runtime_error {
  public:
    enum class Kind {
        connection,  // cannot reach or open the database, or the connection was lost
        statement,   // the database rejected or failed a statement
        refused,     // refused before anything was run (not exactly one read-only SELECT)
    };
    DbError(Kind kind, std::string message, std::string sqlstate = {}, long code = 0)
        : std::runtime_error(std::move(message)),
          m_kind{kind},
          m_sqlstate{std::move(sqlstate)},
          m_code{code} {}
    [[nodiscard]] Kind kind() const { return m_kind; }
    [[nodiscard]] const std::string& sqlstate() const { return m_sqlstate; }
    [[nodiscard]] long code() const { return m_code; }  // the database's own error number

  private:
    Kind m_kind;
    std::string m_sqlstate;
    long m_code;
};

// The rows of one SELECT, delivered in batches as they are read.
class ResultSet {
  public:
    virtual ~ResultSet() = default;
    [[nodiscard]] virtual const std::vector<ColumnInfo>& columns() const = 0;
    // Appends up to max_rows rows to out, row-major (columns().size() values a row), and
    // returns how many rows it appended; 0 means the rows are exhausted. Throws DbError.
    virtual std::size_t fetch(std::vector<Value>& out, std::size_t max_rows) = 0;
};

// Loads many rows into one table quickly (prepared inserts, or COPY); finish() makes them
// durable, destruction without finish() discards them.
class BulkLoader {
  public:
    virtual ~BulkLoader() = default;
    virtual void add_row(std::span<const Value> row) = 0;
    virtual void finish() = 0;
};

class Connection {
  public:
    virtual ~Connection() = default;
    [[nodiscard]] virtual std::string_view backend_name() const = 0;  // "sqlite", "postgresql"

    // Runs exactly one read-only SELECT. Anything else (several statements, a write, DDL) is
    // refused with DbError::Kind::refused before anything is run.
    [[nodiscard]] virtual std::unique_ptr<ResultSet> select(std::string_view sql) = 0;

    // The application's own maintenance: runs one or more statements that return no rows.
    virtual void execute(std::string_view sql) = 0;

    [[nodiscard]] virtual std::unique_ptr<BulkLoader> bulk_load(
        std::string_view table, std::span<const std::string> columns) = 0;
};

// Opens (and creates when missing) an SQLite database file; ":memory:" gives a private one.
[[nodiscard]] std::unique_ptr<Connection> open_sqlite(const std::string& path);
// Connects to PostgreSQL with a libpq connection string ("host=127.0.0.1 port=5432 dbname=x").
[[nodiscard]] std::unique_ptr<Connection> open_postgresql(const std::string& conninfo);

}  // namespace host::db
