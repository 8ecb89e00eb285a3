// The SQLite back end, on SQLite's C API.

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "host/db/connection.h"
#include "host/db/sql_scan.h"
#include "host/db/value_buffer.h"

namespace host::db {

namespace {

struct DbCloser {
    // close_v2 defers the close until the last statement is finalized, so a result set that
    // outlives its connection stays valid.
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt* st) const { sqlite3_finalize(st); }
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;
using StmtHandle = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

constexpr int busy_timeout_ms = 5000;

// Turns a result code into DbError with the database's own text and extended code.
void check(sqlite3* db, int rc, DbError::Kind kind = DbError::Kind::statement) {
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE) return;
    const long code = db ? sqlite3_extended_errcode(db) : rc;
    std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    throw DbError(kind, std::move(text), {}, code);
}

[[noreturn]] void refuse(std::string text) {
    throw DbError(DbError::Kind::refused, std::move(text));
}

bool contains(const std::string& upper, const char* what) {
    return upper.find(what) != std::string::npos;
}

// The column's type from its declared type, in the order SQLite itself assigns affinity, with
// DATE recognised before the general rules.
ColumnType type_from_decl(const char* decl) {
    if (decl == nullptr) return ColumnType::other;
    std::string upper{decl};
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (contains(upper, "INT")) return ColumnType::integer;
    if (contains(upper, "DATE")) return ColumnType::date;
    if (contains(upper, "NUMERIC") || contains(upper, "DECIMAL")) return ColumnType::decimal;
    if (contains(upper, "REAL") || contains(upper, "FLOA") || contains(upper, "DOUB"))
        return ColumnType::real;
    if (contains(upper, "CHAR") || contains(upper, "TEXT") || contains(upper, "CLOB"))
        return ColumnType::text;
    return ColumnType::other;
}

// Values are read through sqlite3_value rather than the sqlite3_column_* calls: each of those
// enters the connection's mutex and checks for a malloc failure, which on a million rows of
// thirty columns costs more than the stepping itself.
std::string_view value_text(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    const int n = sqlite3_value_bytes(v);
    return p ? std::string_view{p, static_cast<std::size_t>(n)} : std::string_view{};
}

// Reads one value by its storage class.
void read_stored(sqlite3_value* v, int storage, std::vector<Value>& out) {
    switch (storage) {
        case SQLITE_INTEGER:
            out.emplace_back(std::int64_t{sqlite3_value_int64(v)});
            break;
        case SQLITE_FLOAT:
            out.emplace_back(sqlite3_value_double(v));
            break;
        case SQLITE_NULL:
            out.emplace_back();
            break;
        case SQLITE_BLOB: {
            const auto* p = static_cast<const char*>(sqlite3_value_blob(v));
            const auto n = static_cast<std::size_t>(sqlite3_value_bytes(v));
            out.emplace_back(std::in_place_type<std::string>, p ? p : "", p ? n : 0);
            break;
        }
        default:
            out.emplace_back(std::in_place_type<std::string>, value_text(v));
            break;
    }
}

class SqliteResultSet final : public ResultSet {
  public:
    SqliteResultSet(sqlite3* db, StmtHandle st) : m_db{db}, m_st{std::move(st)} {
        const int n = sqlite3_column_count(m_st.get());
        m_columns.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            const char* name = sqlite3_column_name(m_st.get(), i);
            m_columns.push_back(
                {name ? name : "", type_from_decl(sqlite3_column_decltype(m_st.get(), i))});
        }
    }

    [[nodiscard]] const std::vector<ColumnInfo>& columns() const override { return m_columns; }

    std::size_t fetch(std::vector<Value>& out, std::size_t max_rows) override {
        if (!m_st || max_rows == 0) return 0;
        sqlite3_stmt* st = m_st.get();
        const int ncols = static_cast<int>(m_columns.size());
        detail::reserve_more(out, std::min<std::size_t>(max_rows, 4096) * m_columns.size());
        std::size_t rows = 0;
        while (rows < max_rows) {
            const int rc = sqlite3_step(st);
            if (rc == SQLITE_DONE) {
                m_st.reset();  // releases the read lock now rather than at destruction
                break;
            }
            if (rc != SQLITE_ROW) {
                // The error is read first: finalizing the last statement of a closed
                // connection frees the connection.
                const DbError e(DbError::Kind::statement, sqlite3_errmsg(m_db), {},
                                sqlite3_extended_errcode(m_db));
                m_st.reset();
                throw e;
            }
            for (int c = 0; c < ncols; ++c) read_value(st, c, out);
            ++rows;
        }
        return rows;
    }

  private:
    void read_value(sqlite3_stmt* st, int c, std::vector<Value>& out) const {
        sqlite3_value* v = sqlite3_column_value(st, c);
        const int storage = sqlite3_value_type(v);
        if (storage == SQLITE_NULL) {
            out.emplace_back();
            return;
        }
        switch (m_columns[static_cast<std::size_t>(c)].type) {
            case ColumnType::integer:
            case ColumnType::other:
                read_stored(v, storage, out);
                return;
            case ColumnType::decimal:
            case ColumnType::real:
                // A NUMERIC column keeps 75.0 as the integer 75; it is still a decimal.
                if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) {
                    out.emplace_back(sqlite3_value_double(v));
                } else {
                    read_stored(v, storage, out);
                }
                return;
            case ColumnType::date:
                if (storage == SQLITE_TEXT) {
                    const std::string_view text = value_text(v);
                    if (auto d = parse_iso_date(text)) {
                        out.emplace_back(*d);
                    } else {
                        out.emplace_back(std::in_place_type<std::string>, text);
                    }
                } else {
                    read_stored(v, storage, out);
                }
                return;
            case ColumnType::text:
                if (storage == SQLITE_BLOB) {
                    read_stored(v, storage, out);
                } else {
                    out.emplace_back(std::in_place_type<std::string>, value_text(v));
                }
                return;
        }
    }

    sqlite3* m_db;
    StmtHandle m_st;
    std::vector<ColumnInfo> m_columns;
};

class SqliteBulkLoader final : public BulkLoader {
  public:
    SqliteBulkLoader(sqlite3* db, std::string_view table, std::span<const std::string> columns)
        : m_db{db}, m_ncols{columns.size()} {
        if (columns.empty()) throw DbError(DbError::Kind::statement, "No columns to load.");
        std::string sql = "INSERT INTO ";
        sql.append(table).append(" (");
        std::string values;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i) {
                sql += ", ";
                values += ", ";
            }
            sql += columns[i];
            values += '$' + std::to_string(i + 1);
        }
        sql.append(") VALUES (").append(values).append(")");
        check(m_db, sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr));
        m_open = true;
        sqlite3_stmt* st = nullptr;
        const int rc =
            sqlite3_prepare_v2(m_db, sql.c_str(), static_cast<int>(sql.size()), &st, nullptr);
        m_st.reset(st);
        if (rc != SQLITE_OK) {
            DbError e(DbError::Kind::statement, sqlite3_errmsg(m_db), {},
                      sqlite3_extended_errcode(m_db));
            rollback();
            throw e;
        }
    }

    ~SqliteBulkLoader() override { rollback(); }
    SqliteBulkLoader(const SqliteBulkLoader&) = delete;
    SqliteBulkLoader& operator=(const SqliteBulkLoader&) = delete;

    void add_row(std::span<const Value> row) override {
        if (!m_open) throw DbError(DbError::Kind::statement, "The load is already finished.");
        if (row.size() != m_ncols)
            throw DbError(DbError::Kind::statement, "The row has " + std::to_string(row.size()) +
                                                        " values for " + std::to_string(m_ncols) +
                                                        " columns.");
        sqlite3_stmt* st = m_st.get();
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int p = static_cast<int>(i + 1);
            const Value& v = row[i];
            int rc = SQLITE_OK;
            if (const auto* n = std::get_if<std::int64_t>(&v)) {
                rc = sqlite3_bind_int64(st, p, *n);
            } else if (const auto* d = std::get_if<double>(&v)) {
                rc = sqlite3_bind_double(st, p, *d);
            } else if (const auto* s = std::get_if<std::string>(&v)) {
                rc = sqlite3_bind_text64(st, p, s->data(), s->size(), SQLITE_STATIC, SQLITE_UTF8);
            } else if (const auto* dt = std::get_if<Date>(&v)) {
                const std::string iso = to_iso(*dt);
                rc = sqlite3_bind_text64(st, p, iso.data(), iso.size(), SQLITE_TRANSIENT,
                                         SQLITE_UTF8);
            } else {
                rc = sqlite3_bind_null(st, p);
            }
            check(m_db, rc);
        }
        const int rc = sqlite3_step(st);
        sqlite3_reset(st);
        check(m_db, rc);
    }

    void finish() override {
        if (!m_open) throw DbError(DbError::Kind::statement, "The load is already finished.");
        const int rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            DbError e(DbError::Kind::statement, sqlite3_errmsg(m_db), {},
                      sqlite3_extended_errcode(m_db));
            rollback();
            throw e;
        }
        m_open = false;
        m_st.reset();
    }

  private:
    // The statement goes last: finalizing the last statement of a closed connection frees it.
    void rollback() noexcept {
        if (m_open) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            m_open = false;
        }
        m_st.reset();
    }

    sqlite3* m_db;
    std::size_t m_ncols;
    StmtHandle m_st;
    bool m_open = false;
};

class SqliteConnection final : public Connection {
  public:
    explicit SqliteConnection(const std::string& path) {
        sqlite3* db = nullptr;
        const int rc = sqlite3_open_v2(
            path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
            nullptr);
        m_db.reset(db);  // a handle comes back even when the open fails
        check(rc, DbError::Kind::connection);
        sqlite3_extended_result_codes(m_db.get(), 1);
        check(sqlite3_busy_timeout(m_db.get(), busy_timeout_ms), DbError::Kind::connection);
        // Reading the schema here surfaces "file is not a database" at open, not at first use.
        check(sqlite3_exec(m_db.get(), "SELECT count(*) FROM sqlite_schema", nullptr, nullptr,
                           nullptr),
              DbError::Kind::connection);
    }

    [[nodiscard]] std::string_view backend_name() const override { return "sqlite"; }

    [[nodiscard]] std::unique_ptr<ResultSet> select(std::string_view sql) override {
        if (!detail::is_single_query(detail::scan_statements(sql, false))) refuse_reason(sql);
        StmtHandle st = prepare_query(sql);
        if (!st) refuse("The query text holds no statement.");
        if (!sqlite3_stmt_readonly(st.get()))
            refuse("Only a query that reads data can be run here.");
        if (sqlite3_column_count(st.get()) == 0) refuse("The statement returns no columns.");
        return std::make_unique<SqliteResultSet>(m_db.get(), std::move(st));
    }

    void execute(std::string_view sql) override {
        std::string_view rest = sql;
        while (!rest.empty()) {
            StmtHandle st = prepare_one(rest, rest);
            if (!st) continue;
            int rc = SQLITE_ROW;
            while (rc == SQLITE_ROW) rc = sqlite3_step(st.get());
            check(rc);
        }
    }

    [[nodiscard]] std::unique_ptr<BulkLoader> bulk_load(
        std::string_view table, std::span<const std::string> columns) override {
        return std::make_unique<SqliteBulkLoader>(m_db.get(), table, columns);
    }

  private:
    void check(int rc, DbError::Kind kind = DbError::Kind::statement) const {
        db::check(m_db.get(), rc, kind);
    }

    // Prepares the first statement of `sql` and sets `rest` to the text after it. A null handle
    // means the text held only blanks, comments or ';'.
    StmtHandle prepare_one(std::string_view sql, std::string_view& rest) const {
        sqlite3_stmt* st = nullptr;
        const char* tail = nullptr;
        const int rc =
            sqlite3_prepare_v3(m_db.get(), sql.data(), static_cast<int>(sql.size()), 0, &st, &tail);
        StmtHandle handle{st};
        check(rc);
        const auto used = tail ? static_cast<std::size_t>(tail - sql.data()) : sql.size();
        rest = used >= sql.size() || used == 0 ? std::string_view{} : sql.substr(used);
        return handle;
    }

    // Prepares the one statement of a query; refuses when a second statement follows.
    StmtHandle prepare_query(std::string_view sql) const {
        std::string_view rest;
        StmtHandle st = prepare_one(sql, rest);
        while (!rest.empty()) {
            StmtHandle next;
            try {
                next = prepare_one(rest, rest);
            } catch (const DbError&) {
                refuse("Only one statement can be run at a time.");
            }
            if (next) refuse("Only one statement can be run at a time.");
        }
        return st;
    }

    [[noreturn]] static void refuse_reason(std::string_view sql) {
        const detail::StatementScan s = detail::scan_statements(sql, false);
        if (s.empty) refuse("The query text holds no statement.");
        if (s.more) refuse("Only one statement can be run at a time.");
        refuse("Only a query (SELECT) can be run here.");
    }

    DbHandle m_db;
};

}  // namespace

std::unique_ptr<Connection> open_sqlite(const std::string& path) {
    return std::make_unique<SqliteConnection>(path);
}

}  // namespace host::db
