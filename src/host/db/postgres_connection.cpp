// The PostgreSQL back end, on libpq.
//
// A query is prepared and described first (which refuses several statements and statements
// without rows before anything runs), then runs in a read-only transaction and streams its
// rows in single-row mode. On a million rows that is clearly faster than FETCH from a cursor,
// whose round trips leave client and server waiting on each other; an abandoned query is
// cancelled on the server.

#include <libpq-fe.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

#include "host/db/connection.h"
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
        case oid_int8:
            return ColumnType::integer;
        case oid_float4:
        case oid_float8:
            return ColumnType::real;
        case oid_numeric:
            return ColumnType::decimal;
        case oid_date:
            return ColumnType::date;
        default:
            return ColumnType::text;
    }
}

[[noreturn]] void refuse(std::string text) {
    throw DbError(DbError::Kind::refused, std::move(text));
}

void ignore_notice(void*, const char*) {}

class PgResultSet;

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

    // The connection, free for a new command: a result set still streaming its rows reads the
    // rest of them into memory first.
    PGconn* idle();
    [[nodiscard]] PGconn* conn() const { return m_conn.get(); }

    void set_streaming(PgResultSet* rs) { m_streaming = rs; }
    void clear_streaming(const PgResultSet* rs) {
        if (m_streaming == rs) m_streaming = nullptr;
    }

    // Builds the DbError for a failed result (or for none) on this connection.
    [[nodiscard]] DbError error(const PGresult* r) const {
        const bool lost = PQstatus(m_conn.get()) == CONNECTION_BAD;
        const DbError::Kind kind = lost ? DbError::Kind::connection : DbError::Kind::statement;
        if (!r) return DbError(kind, trimmed(PQerrorMessage(m_conn.get())));
        const char* primary = PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY);
        std::string text = primary ? trimmed(primary) : trimmed(PQresultErrorMessage(r));
        if (text.empty()) text = trimmed(PQerrorMessage(m_conn.get()));
        if (const char* detail = PQresultErrorField(r, PG_DIAG_MESSAGE_DETAIL))
            text += " (" + trimmed(detail) + ")";
        const char* state = PQresultErrorField(r, PG_DIAG_SQLSTATE);
        return DbError(kind, std::move(text), state ? state : "");
    }

    // Takes ownership of a result and throws DbError unless its status is `ok` (or `also`).
    ResultHandle check(PGresult* raw, ExecStatusType ok, ExecStatusType also) const {
        ResultHandle r{raw};
        const ExecStatusType st = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
        if (r && (st == ok || st == also)) return r;
        throw error(r.get());
    }
    ResultHandle check(PGresult* raw, ExecStatusType ok) const { return check(raw, ok, ok); }

    ResultHandle exec(const std::string& sql, ExecStatusType ok) {
        return check(PQexec(idle(), sql.c_str()), ok);
    }

    // Best-effort: ends whatever transaction is open. For destructors and error paths.
    void rollback_quietly() noexcept {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (PQstatus(m_conn.get()) != CONNECTION_OK ||
                PQtransactionStatus(m_conn.get()) == PQTRANS_IDLE)
                return;
            PQclear(PQexec(m_conn.get(), "ROLLBACK"));
        }
    }

    // Reads and drops every pending result.
    void drain() const noexcept {
        while (PGresult* r = PQgetResult(m_conn.get())) PQclear(r);
    }

  private:
    ConnHandle m_conn;
    PgResultSet* m_streaming = nullptr;
};

// Parses a whole number or a floating-point text as it comes from the server; false if it is
// not one (the value is then delivered as text).
template <typename T>
bool parse_number(const char* p, std::size_t n, T& value) {
    const auto [end, ec] = std::from_chars(p, p + n, value);
    return ec == std::errc{} && end == p + n;
}

// The rows of one query, streamed from the server in single-row mode inside a read-only
// transaction. When another command needs the connection first, the rest of the rows are read
// into memory ("parked"), so several result sets can be open on one connection.
class PgResultSet final : public ResultSet {
  public:
    PgResultSet(std::shared_ptr<Session> session, std::vector<ColumnInfo> columns)
        : m_session{std::move(session)}, m_columns{std::move(columns)} {
        // The first result shows whether the query started at all: its errors belong to the
        // caller of select(), not to the first fetch.
        m_session->set_streaming(this);
        try {
            m_lookahead = next_from_wire();
        } catch (...) {
            m_session->clear_streaming(this);
            throw;
        }
    }

    ~PgResultSet() override {
        if (m_state != State::streaming) return;
        m_session->clear_streaming(this);
        PGconn* conn = m_session->conn();
        if (PQstatus(conn) == CONNECTION_OK) {
            // Abandoned half way: ask the server to stop rather than read the rest.
            if (PGcancel* cancel = PQgetCancel(conn)) {
                char err[256];
                PQcancel(cancel, err, sizeof err);
                PQfreeCancel(cancel);
            }
            m_session->drain();
        }
        m_session->rollback_quietly();
    }
    PgResultSet(const PgResultSet&) = delete;
    PgResultSet& operator=(const PgResultSet&) = delete;

    [[nodiscard]] const std::vector<ColumnInfo>& columns() const override { return m_columns; }

    std::size_t fetch(std::vector<Value>& out, std::size_t max_rows) override {
        std::size_t rows = 0;
        if (max_rows > 0)
            detail::reserve_more(out, std::min<std::size_t>(max_rows, 4096) * m_columns.size());
        while (rows < max_rows) {
            ResultHandle row = next_row();
            if (!row) break;
            decode_row(row.get(), out);
            ++rows;
        }
        return rows;
    }

    // Reads the remaining rows off the wire into memory and ends the transaction.
    void park() noexcept {
        m_session->clear_streaming(this);
        try {
            while (ResultHandle r = next_from_wire()) m_parked.push_back(std::move(r));
        } catch (const DbError& e) {
            m_parked_error = e;
        } catch (...) {
            m_parked_error = DbError(DbError::Kind::statement, "Out of memory reading the rows.");
        }
        m_state = State::parked;
    }

  private:
    enum class State { streaming, parked, done };

    // The next row, or null at the end. Throws the query's error, once.
    ResultHandle next_row() {
        if (m_lookahead) return std::move(m_lookahead);
        switch (m_state) {
            case State::streaming:
                return next_from_wire();
            case State::parked:
                if (m_next_parked < m_parked.size()) return std::move(m_parked[m_next_parked++]);
                m_state = State::done;
                m_parked.clear();
                if (m_parked_error) {
                    const DbError e = *m_parked_error;
                    m_parked_error.reset();
                    throw e;
                }
                return nullptr;
            case State::done:
                return nullptr;
        }
        return nullptr;
    }

    // Reads the next row from the server; at the end or on an error ends the transaction.
    ResultHandle next_from_wire() {
        if (m_state != State::streaming) return nullptr;
        ResultHandle r{PQgetResult(m_session->conn())};
        const ExecStatusType st = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
        if (st == PGRES_SINGLE_TUPLE) return r;
        m_state = State::done;
        m_session->clear_streaming(this);
        if (st == PGRES_TUPLES_OK) {
            r.reset();
            m_session->drain();
            // A query has nothing to keep; ending with ROLLBACK also undoes what a function it
            // called changed for the session (set_config(..., false), pg_notify).
            m_session->exec("ROLLBACK", PGRES_COMMAND_OK);
            return nullptr;
        }
        const DbError e = m_session->error(r.get());
        r.reset();
        m_session->drain();
        m_session->rollback_quietly();
        throw e;
    }

    void decode_row(const PGresult* res, std::vector<Value>& out) const {
        const int ncols = static_cast<int>(m_columns.size());
        for (int c = 0; c < ncols; ++c) {
            if (PQgetisnull(res, 0, c)) {
                out.emplace_back();
                continue;
            }
            const char* p = PQgetvalue(res, 0, c);
            const auto n = static_cast<std::size_t>(PQgetlength(res, 0, c));
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
                case ColumnType::other:
                    break;
            }
            out.emplace_back(std::in_place_type<std::string>, p, n);
        }
    }

    std::shared_ptr<Session> m_session;
    std::vector<ColumnInfo> m_columns;
    State m_state = State::streaming;
    ResultHandle m_lookahead;
    std::vector<ResultHandle> m_parked;
    std::size_t m_next_parked = 0;
    std::optional<DbError> m_parked_error;
};

PGconn* Session::idle() {
    if (PgResultSet* rs = m_streaming) {
        m_streaming = nullptr;
        rs->park();
    }
    return m_conn.get();
}

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
                case '\\':
                    buf += "\\\\";
                    break;
                case '\t':
                    buf += "\\t";
                    break;
                case '\n':
                    buf += "\\n";
                    break;
                case '\r':
                    buf += "\\r";
                    break;
                default:
                    buf += c;
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
            m_session->rollback_quietly();
            throw;
        }
        m_copying = true;
    }

    ~PgBulkLoader() override {
        if (!m_copying) return;
        PGconn* conn = m_session->conn();
        if (PQputCopyEnd(conn, "load discarded") == 1) m_session->drain();
        m_session->rollback_quietly();
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
            m_session->drain();
            m_session->exec("COMMIT", PGRES_COMMAND_OK);
        } catch (...) {
            m_session->drain();
            m_session->rollback_quietly();
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
        // through the description, that it returns rows. BEGIN comes first because a simple
        // query (PQexec) would drop the unnamed prepared statement.
        PGconn* conn = m_session->idle();
        // Inside a transaction the application opened (or during a bulk load) BEGIN would only
        // warn, and the query's own ROLLBACK would then end the application's transaction.
        const PGTransactionStatusType open = PQtransactionStatus(conn);
        if (open == PQTRANS_INTRANS || open == PQTRANS_INERROR || open == PQTRANS_ACTIVE)
            refuse("A query cannot run inside a transaction that is already open.");
        m_session->exec("BEGIN READ ONLY", PGRES_COMMAND_OK);
        std::vector<ColumnInfo> columns;
        try {
            try {
                m_session->check(PQprepare(conn, "", text.c_str(), 0, nullptr), PGRES_COMMAND_OK);
            } catch (const DbError& e) {
                if (e.sqlstate() == "42601" &&
                    std::string_view{e.what()}.find("multiple") != std::string_view::npos)
                    refuse("Only one statement can be run at a time.");
                throw;
            }
            const ResultHandle desc =
                m_session->check(PQdescribePrepared(conn, ""), PGRES_COMMAND_OK);
            const int ncols = PQnfields(desc.get());
            if (ncols == 0) refuse("The statement returns no columns.");
            columns.reserve(static_cast<std::size_t>(ncols));
            for (int i = 0; i < ncols; ++i)
                columns.push_back({PQfname(desc.get(), i), type_from_oid(PQftype(desc.get(), i))});
            if (!PQsendQueryPrepared(conn, "", 0, nullptr, nullptr, nullptr, 0) ||
                !PQsetSingleRowMode(conn))
                throw m_session->error(nullptr);
        } catch (...) {
            m_session->drain();
            m_session->rollback_quietly();
            throw;
        }
        return std::make_unique<PgResultSet>(m_session, std::move(columns));
    }

    void execute(std::string_view sql) override {
        const std::string text{sql};
        m_session->check(PQexec(m_session->idle(), text.c_str()), PGRES_COMMAND_OK,
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
