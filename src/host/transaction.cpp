#include "host/transaction.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <new>

namespace host {

namespace {

constexpr long sql_ok = 0;
constexpr long sql_no_more_rows = 100;
constexpr long sql_error = -1;

const std::string not_connected = "Not connected to a database.";
const std::string cursor_not_open = "The cursor is not open.";

// The first column of a fetched row, as the text a host variable receives.
std::optional<std::string> as_text(const db::Value& v) {
    struct Visitor {
        std::optional<std::string> operator()(std::monostate) const { return std::nullopt; }
        std::optional<std::string> operator()(std::int64_t n) const { return std::to_string(n); }
        std::optional<std::string> operator()(double d) const {
            char buf[32];
            const auto res = std::to_chars(buf, buf + sizeof buf, d);
            return std::string(buf, res.ptr);
        }
        std::optional<std::string> operator()(const std::string& s) const { return s; }
        std::optional<std::string> operator()(const Date& d) const { return to_iso(d); }
    };
    return std::visit(Visitor{}, v);
}

// Runs one statement's work; any failure becomes the transaction's error status.
template <class F>
bool guarded(Transaction& trans, F&& work) {
    try {
        work();
        return true;
    } catch (const db::DbError& e) {
        trans.set_error(e);
    } catch (const std::bad_alloc&) {
        trans.set_error(0, "Out of memory.");
    } catch (const std::exception& e) {
        trans.set_error(0, e.what());
    }
    return false;
}

}  // namespace

// ---- Transaction ------------------------------------------------------------------------

void Transaction::set_success() {
    m_sqlcode = sql_ok;
    m_sqldbcode = 0;
    m_sqlerrtext.clear();
    m_sqlstate.clear();
}

void Transaction::set_no_more_rows() {
    m_sqlcode = sql_no_more_rows;
    m_sqldbcode = 0;
    m_sqlerrtext.clear();
    m_sqlstate.clear();
}

void Transaction::set_error(const db::DbError& e) {
    m_sqlcode = sql_error;
    m_sqldbcode = e.code();
    m_sqlerrtext = e.what();
    m_sqlstate = e.sqlstate();
}

void Transaction::set_error(long dbcode, std::string text) {
    m_sqlcode = sql_error;
    m_sqldbcode = dbcode;
    m_sqlerrtext = std::move(text);
    m_sqlstate.clear();
}

void Transaction::close_cursors() noexcept {
    // release() unregisters the cursor, so take the list first.
    const std::vector<Cursor*> open = std::move(m_open_cursors);
    m_open_cursors.clear();
    for (Cursor* c : open) c->release();
}

void Transaction::connect() {
    if (m_conn) {
        set_error(0, "Already connected to a database.");
        return;
    }
    try {
        switch (params.dbms) {
            case ConnectParams::Dbms::sqlite:
                m_conn = db::open_sqlite(params.database);
                break;
            case ConnectParams::Dbms::postgresql:
                m_conn = db::open_postgresql(params.database);
                break;
        }
        set_success();
    } catch (const db::DbError& e) {
        set_error(e);
    } catch (const std::exception& e) {
        set_error(0, std::string("Cannot connect to the database: ") + e.what());
    }
}

void Transaction::disconnect() {
    close_cursors();
    m_conn.reset();
    set_success();
}

void Transaction::attach(std::unique_ptr<db::Connection> conn) {
    close_cursors();
    m_conn = std::move(conn);
    set_success();
}

// ---- Cursor -------------------------------------------------------------------------------

Cursor::Cursor(Transaction& trans, std::string sql) : m_trans{trans}, m_sql{std::move(sql)} {}

Cursor::~Cursor() {
    release();
}

void Cursor::release() noexcept {
    if (!m_rows) return;
    m_rows.reset();  // result sets end their own work quietly
    auto& open = m_trans.m_open_cursors;
    open.erase(std::remove(open.begin(), open.end(), this), open.end());
}

void Cursor::open() {
    if (m_rows) {
        m_trans.set_error(0, "The cursor is already open.");
        return;
    }
    db::Connection* conn = m_trans.connection();
    if (!conn) {
        m_trans.set_error(0, not_connected);
        return;
    }
    guarded(m_trans, [&] {
        m_trans.m_open_cursors.reserve(m_trans.m_open_cursors.size() + 1);
        m_rows = conn->select(m_sql);
        m_trans.m_open_cursors.push_back(this);
        m_trans.set_success();
    });
}

void Cursor::fetch_into(std::optional<std::string>& into) {
    if (!m_rows) {
        m_trans.set_error(0, cursor_not_open);
        return;
    }
    guarded(m_trans, [&] {
        m_scratch.clear();
        if (m_rows->fetch(m_scratch, 1) == 0) {
            m_trans.set_no_more_rows();
            return;
        }
        into = m_scratch.empty() ? std::nullopt : as_text(m_scratch.front());
        m_trans.set_success();
    });
}

std::size_t Cursor::fetch_batch(std::vector<db::Value>& out, std::size_t max_rows) {
    if (!m_rows) {
        m_trans.set_error(0, cursor_not_open);
        return 0;
    }
    std::size_t n = 0;
    guarded(m_trans, [&] {
        n = m_rows->fetch(out, max_rows);
        if (n == 0) {
            m_trans.set_no_more_rows();
        } else {
            m_trans.set_success();
        }
    });
    return n;
}

const std::vector<db::ColumnInfo>& Cursor::columns() const {
    static const std::vector<db::ColumnInfo> none;
    return m_rows ? m_rows->columns() : none;
}

void Cursor::close() {
    if (!m_rows) {
        m_trans.set_error(0, cursor_not_open);
        return;
    }
    release();
    m_trans.set_success();
}

}  // namespace host
