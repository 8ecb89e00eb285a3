// The PostgreSQL back end, on libpq.
//
// A query runs in a read-only transaction through a server-side cursor, fetched in batches, so
// a large result never sits whole in memory and an abandoned one costs nothing on the server.

#include <libpq-fe.h>

#include <algorithm>
#include <charconv>
#include <string>

#include "host/db/connection.h"
#include "host/db/postgres_fetch.h"
#include "host/db/sql_scan.h"
#include "host/db/value_buffer.h"

namespace host::db {

namespace {

// Type OIDs from pg_type.
constexpr Oid oid_int8 = 20, oid_int2 = 21, oid_int4 = 23, oid_float4 = 700, oid_float8 = 701,
              oid_numeric = 1700, oid_date = 1082;

struct ConnCloser {
    void operator()(PGconn* c) const { PQfinish(c); }
};
struct ResultClearer {
    void operator()(PGresult* r) const { PQclear(r); }
};
using ConnHandle = std::unique_ptr<PGconn, ConnCloser>;
using ResultHandle = std::unique_ptr<PGresult, ResultClearer>;

std::string trimmed(const char* text) {
    std::string s = text ? text : "";
    while (!s.empty() && (s.back() == '\n' || s.back() == ' ' || s.back() == '\t')) s.pop_back();
    return s;
}

ColumnType type_from_oid(Oid oid) {
    switch (oid) {
        case oid_int2:
        case oid_int4:
        case oid_int8: return ColumnType::integer;
        case oid_float4:
        case oid_float8: return ColumnType::real;
        case oid_numeric: return ColumnType::decimal;
        case oid_date: return ColumnType::date;
        default: return ColumnType::text;
    }
}

[[noreturn]] void refuse(std::string text) {
    throw DbError(DbError::Kind::refused, std::move(text));
}

void ignore_notice(void*, const char*) {}

// The connection and the state its result sets share with it. Result sets hold it by
// shared_ptr, so one that outlives its Connection object is still safe to destroy.
class Session {
public:
    explicit Session(const std::string& conninfo) : m_conn{PQconnectdb(conninfo.c_str())} {
        if (!m_conn) throw DbError(DbError::Kind::connection, "Out of memory for the connection.");
        if (PQstatus(m_conn.get()) != CONNECTION_OK)
            throw DbError(DbError::Kind::connection, trimmed(PQerrorMessage(m_conn.get())));
        PQsetNoticeProcessor(m_conn.get(), ignore_notice, nullptr);
        if (PQsetClientEncoding(m_conn.get(), "UTF8") != 0)
            throw DbError(DbError::Kind::connection, trimmed(PQerrorMessage(m_conn.get())));
        exec("SET DateStyle = ISO", PGRES_COMMAND_OK);
    }

    [[nodiscard]] PGconn* conn() const { return m_conn.get(); }

    // Takes ownership of a result and throws DbError unless its status is `ok` (or `also`).
    ResultHandle check(PGresult* raw, ExecStatusType ok, ExecStatusType also) const {
        ResultHandle r{raw};
        const ExecStatusType st = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
        if (r && (st == ok || st == also)) return r;
        const bool lost = PQstatus(m_conn.get()) == CONNECTION_BAD;
        const DbError::Kind kind = lost ? DbError::Kind::connection : DbError::Kind::statement;
        if (!r) throw DbError(kind, trimmed(PQerrorMessage(m_conn.get())));
        const char* primary = PQresultErrorField(r.get(), PG_DIAG_MESSAGE_PRIMARY);
        std::string text = primary ? trimmed(primary) : trimmed(PQresultErrorMessage(r.get()));
        if (text.empty()) text = trimmed(PQerrorMessage(m_conn.get()));
        if (const char* detail = PQresultErrorField(r.get(), PG_DIAG_MESSAGE_DETAIL))
            text += " (" + trimmed(detail) + ")";
        const char* state = PQresultErrorField(r.get(), PG_DIAG_SQLSTATE);
        throw DbError(kind, std::move(text), state ? state : "");
    }
    ResultHandle check(PGresult* raw, ExecStatusType ok) const { return check(raw, ok, ok); }

    ResultHandle exec(const std::string& sql, ExecStatusType ok) const {
        return check(PQexec(m_conn.get(), sql.c_str()), ok);
    }

    // Best-effort cleanup for destructors and error paths.
    void exec_quietly(const char* sql) const noexcept {
        if (PQstatus(m_conn.get()) == CONNECTION_OK) PQclear(PQexec(m_conn.get(), sql));
    }

    // Open result sets share one read-only transaction: the first begins it, the last ends it.
    void begin_query() {
        if (m_open_queries == 0) exec("BEGIN READ ONLY", PGRES_COMMAND_OK);
        ++m_open_queries;
    }
    void end_query() {
        if (m_open_queries == 0 || --m_open_queries > 0) return;
        const bool failed = PQtransactionStatus(m_conn.get()) == PQTRANS_INERROR;
        exec(failed ? "ROLLBACK" : "COMMIT", PGRES_COMMAND_OK);
    }
    std::string next_cursor_name() { return "trq_cursor_" + std::to_string(++m_cursors); }

private:
    ConnHandle m_conn;
    int m_open_queries = 0;
    unsigned long m_cursors = 0;
};

// Parses a whole number or a floating-point text as it comes from the server; false if it is
// not one (the value is then delivered as text).
template <typename T>
bool parse_number(const char* p, std::size_t n, T& value) {
    const auto [end, ec] = std::from_chars(p, p + n, value);
    return ec == std::errc{} && end == p + n;
}

class PgResultSet final : public ResultSet {
public:
    PgResultSet(std::shared_ptr<Session> session, std::string cursor,
                std::vector<ColumnInfo> columns)
        : m_session{std::move(session)}, m_cursor{std::move(cursor)},
          m_columns{std::move(columns)},
          m_fetch_sql{"FETCH FORWARD " + std::to_string(detail::pg_fetch_rows) + " FROM " +
                      m_cursor} {}

    ~PgResultSet() override {
        if (m_done) return;
        try {
            finish();
        } catch (...) {  // nothing to report to from a destructor
        }
    }
    PgResultSet(const PgResultSet&) = delete;
    PgResultSet& operator=(const PgResultSet&) = delete;

    [[nodiscard]] const std::vector<ColumnInfo>& columns() const override { return m_columns; }

    std::size_t fetch(std::vector<Value>& out, std::size_t max_rows) override {
        std::size_t rows = 0;
        while (rows < max_rows) {
            if (m_row == m_rows) {
                if (m_done || !next_batch()) break;
            }
            const int take = static_cast<int>(
                std::min<std::size_t>(max_rows - rows, static_cast<std::size_t>(m_rows - m_row)));
            detail::reserve_more(out, static_cast<std::size_t>(take) * m_columns.size());
            for (int r = m_row; r < m_row + take; ++r) decode_row(r, out);
            m_row += take;
            rows += static_cast<std::size_t>(take);
        }
        return rows;
    }

private:
    bool next_batch() {
        m_batch.reset();
        m_row = m_rows = 0;
        try {
            m_batch = m_session->exec(m_fetch_sql, PGRES_TUPLES_OK);
        } catch (...) {
            abandon();
            throw;
        }
        m_rows = PQntuples(m_batch.get());
        if (m_rows == 0) {
            m_batch.reset();
            finish();
            return false;
        }
        return true;
    }

    // Closes the cursor and, with the last open query, ends the transaction.
    void finish() {
        m_done = true;
        m_batch.reset();
        m_row = m_rows = 0;
        if (PQtransactionStatus(m_session->conn()) == PQTRANS_INTRANS)
            m_session->exec("CLOSE " + m_cursor, PGRES_COMMAND_OK);
        m_session->end_query();
    }

    void abandon() noexcept {
        try {
            finish();
        } catch (...) {  // the original failure is the one worth reporting
        }
    }

    void decode_row(int r, std::vector<Value>& out) const {
        PGresult* res = m_batch.get();
        const int ncols = static_cast<int>(m_columns.size());
        for (int c = 0; c < ncols; ++c) {
            if (PQgetisnull(res, r, c)) {
                out.emplace_back();
                continue;
            }
            const char* p = PQgetvalue(res, r, c);
            const auto n = static_cast<std::size_t>(PQgetlength(res, r, c));
            switch (m_columns[static_cast<std::size_t>(c)].type) {
                case ColumnType::integer: {
                    std::int64_t v = 0;
                    if (parse_number(p, n, v)) {
                        out.emplace_back(v);
                        continue;
                    }
                    break;
                }
                case ColumnType::real:
                case ColumnType::decimal: {
                    double v = 0;
                    if (parse_number(p, n, v)) {
                        out.emplace_back(v);
                        continue;
                    }
                    break;
                }
                case ColumnType::date:
                    if (auto d = parse_iso_date(std::string_view{p, n})) {
                        out.emplace_back(*d);
                        continue;
                    }
                    break;
                case ColumnType::text:
                case ColumnType::other: break;
            }
            out.emplace_back(std::in_place_type<std::string>, p, n);
        }
    }

    std::shared_ptr<Session> m_session;
    std::string m_cursor;
    std::vector<ColumnInfo> m_columns;
    std::string m_fetch_sql;
    ResultHandle m_batch;
    int m_row = 0;
    int m_rows = 0;
    bool m_done = false;
};

// Appends one value in COPY's text format.
void append_copy_value(std::string& buf, const Value& v) {
    if (const auto* n = std::get_if<std::int64_t>(&v)) {
        char tmp[24];
        const auto res = std::to_chars(tmp, tmp + sizeof tmp, *n);
        buf.append(tmp, res.ptr);
    } else if (const auto* d = std::get_if<double>(&v)) {
        char tmp[32];
        const auto res = std::to_chars(tmp, tmp + sizeof tmp, *d);
        buf.append(tmp, res.ptr);
    } else if (const auto* s = std::get_if<std::string>(&v)) {
        for (const char c : *s) {
            switch (c) {
                case '\\': buf += "\\\\"; break;
                case '\t': buf += "\\t"; break;
                case '\n': buf += "\\n"; break;
                case '\r': buf += "\\r"; break;
                default: buf += c;
            }
        }
    } else if (const auto* dt = std::get_if<Date>(&v)) {
        buf += to_iso(*dt);
    } else {
        buf += "\\N";
    }
}

class PgBulkLoader final : public BulkLoader {
public:
    PgBulkLoader(std::shared_ptr<Session> session, std::string_view table,
                 std::span<const std::string> columns)
        : m_session{std::move(session)}, m_ncols{columns.size()} {
        if (columns.empty()) throw DbError(DbError::Kind::statement, "No columns to load.");
        std::string sql = "COPY ";
        sql.append(table).append(" (");
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i) sql += ", ";
            sql += columns[i];
        }
        sql += ") FROM STDIN";
        m_session->exec("BEGIN", PGRES_COMMAND_OK);
        try {
            m_session->exec(sql, PGRES_COPY_IN);
        } catch (...) {
            m_session->exec_quietly("ROLLBACK");
            throw;
        }
        m_copying = true;
    }

    ~PgBulkLoader() override {
        if (!m_copying) return;
        PGconn* conn = m_session->conn();
        if (PQputCopyEnd(conn, "load discarded") == 1) drain();
        m_session->exec_quietly("ROLLBACK");
    }
    PgBulkLoader(const PgBulkLoader&) = delete;
    PgBulkLoader& operator=(const PgBulkLoader&) = delete;

    void add_row(std::span<const Value> row) override {
        if (!m_copying) throw DbError(DbError::Kind::statement, "The load is already finished.");
        if (row.size() != m_ncols)
            throw DbError(DbError::Kind::statement, "The row has " + std::to_string(row.size()) +
                                                        " values for " + std::to_string(m_ncols) +
                                                        " columns.");
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i) m_buf += '\t';
            append_copy_value(m_buf, row[i]);
        }
        m_buf += '\n';
        if (m_buf.size() >= flush_bytes) flush();
    }

    void finish() override {
        if (!m_copying) throw DbError(DbError::Kind::statement, "The load is already finished.");
        PGconn* conn = m_session->conn();
        try {
            flush();
            m_copying = false;
            if (PQputCopyEnd(conn, nullptr) != 1)
                throw DbError(DbError::Kind::connection, trimmed(PQerrorMessage(conn)));
            ResultHandle r = m_session->check(PQgetResult(conn), PGRES_COMMAND_OK);
            drain();
            m_session->exec("COMMIT", PGRES_COMMAND_OK);
        } catch (...) {
            drain();
            m_session->exec_quietly("ROLLBACK");
            throw;
        }
    }

private:
    static constexpr std::size_t flush_bytes = 1 << 16;

    void flush() {
        if (m_buf.empty()) return;
        PGconn* conn = m_session->conn();
        if (PQputCopyData(conn, m_buf.data(), static_cast<int>(m_buf.size())) != 1)
            throw DbError(PQstatus(conn) == CONNECTION_BAD ? DbError::Kind::connection
                                                           : DbError::Kind::statement,
                          trimmed(PQerrorMessage(conn)));
        m_buf.clear();
    }

    void drain() const noexcept {
        while (PGresult* r = PQgetResult(m_session->conn())) PQclear(r);
    }

    std::shared_ptr<Session> m_session;
    std::size_t m_ncols;
    std::string m_buf;
    bool m_copying = false;
};

class PgConnection final : public Connection {
public:
    explicit PgConnection(const std::string& conninfo)
        : m_session{std::make_shared<Session>(conninfo)} {}

    [[nodiscard]] std::string_view backend_name() const override { return "postgresql"; }

    [[nodiscard]] std::unique_ptr<ResultSet> select(std::string_view sql) override {
        const detail::StatementScan scan = detail::scan_statements(sql);
        if (scan.empty) refuse("The query text holds no statement.");
        if (scan.more) refuse("Only one statement can be run at a time.");
        if (!detail::is_single_query(scan)) refuse("Only a query (SELECT) can be run here.");
        const std::string text{sql.substr(0, scan.end)};

        // Preparing checks the text without running it: one statement, known tables, and
        // through the description, that it returns rows.
        PGconn* conn = m_session->conn();
        try {
            m_session->check(PQprepare(conn, "", text.c_str(), 0, nullptr), PGRES_COMMAND_OK);
        } catch (const DbError& e) {
            if (e.sqlstate() == "42601" && std::string_view{e.what()}.find("multiple") !=
                                               std::string_view::npos)
                refuse("Only one statement can be run at a time.");
            throw;
        }
        ResultHandle desc = m_session->check(PQdescribePrepared(conn, ""), PGRES_COMMAND_OK);
        const int ncols = PQnfields(desc.get());
        if (ncols == 0) refuse("The statement returns no columns.");
        std::vector<ColumnInfo> columns;
        columns.reserve(static_cast<std::size_t>(ncols));
        for (int i = 0; i < ncols; ++i)
            columns.push_back({PQfname(desc.get(), i), type_from_oid(PQftype(desc.get(), i))});
        desc.reset();

        std::string cursor = m_session->next_cursor_name();
        m_session->begin_query();
        try {
            m_session->exec("DECLARE " + cursor + " NO SCROLL CURSOR FOR " + text,
                            PGRES_COMMAND_OK);
        } catch (...) {
            try {
                m_session->end_query();
            } catch (...) {  // the DECLARE's failure is the one worth reporting
            }
            throw;
        }
        return std::make_unique<PgResultSet>(m_session, std::move(cursor), std::move(columns));
    }

    void execute(std::string_view sql) override {
        const std::string text{sql};
        m_session->check(PQexec(m_session->conn(), text.c_str()), PGRES_COMMAND_OK,
                         PGRES_TUPLES_OK);
    }

    [[nodiscard]] std::unique_ptr<BulkLoader> bulk_load(
        std::string_view table, std::span<const std::string> columns) override {
        return std::make_unique<PgBulkLoader>(m_session, table, columns);
    }

private:
    std::shared_ptr<Session> m_session;
};

}  // namespace

std::unique_ptr<Connection> open_postgresql(const std::string& conninfo) {
    return std::make_unique<PgConnection>(conninfo);
}

}  // namespace host::db
