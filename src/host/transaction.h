#pragma once

// The transaction object (`sqlca`): one connection to the database and the status of the last
// statement run on it, in the runtime's convention: sqlcode 0 = success (and, for a fetch, a row
// was delivered), 100 = no more rows, -1 = error, with the database's own code and text.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/db/connection.h"

namespace host {

struct ConnectParams {
    enum class Dbms { sqlite, postgresql };
    Dbms dbms = Dbms::sqlite;
    std::string database;  // SQLite: the file path; PostgreSQL: the libpq connection string
};

class Transaction;

// An embedded cursor over one SELECT: declare, open, fetch, close. Every call sets the status
// of its transaction; none throws. A cursor must not outlive its transaction. Disconnecting the
// transaction closes its open cursors.
class Cursor {
  public:
    Cursor(Transaction& trans, std::string sql);
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    void open();
    // Fetches the next row's first column as text (null stays null). sqlcode 0: a row was
    // delivered; 100: no more rows; -1: error (the cursor is not open, or the database failed).
    void fetch_into(std::optional<std::string>& into);
    // Fetches up to max_rows rows (row-major) for a grid; returns how many; sqlcode as above.
    std::size_t fetch_batch(std::vector<db::Value>& out, std::size_t max_rows);
    [[nodiscard]] const std::vector<db::ColumnInfo>& columns() const;
    void close();

  private:
    friend class Transaction;
    void release() noexcept;  // drops the rows without touching the status

    Transaction& m_trans;
    std::string m_sql;
    std::unique_ptr<db::ResultSet> m_rows;
    std::vector<db::Value> m_scratch;
};

class Transaction {
  public:
    Transaction() = default;
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    ConnectParams params;

    void connect();     // connects with `params`; sets the status
    void disconnect();  // sets the status; a no-op success when not connected
    [[nodiscard]] bool connected() const { return m_conn != nullptr; }

    [[nodiscard]] long sqlcode() const { return m_sqlcode; }
    [[nodiscard]] long sqldbcode() const { return m_sqldbcode; }
    [[nodiscard]] const std::string& sqlerrtext() const { return m_sqlerrtext; }
    // The SQLSTATE of the last error, when the database gives one (PostgreSQL); else empty.
    [[nodiscard]] const std::string& sqlstate() const { return m_sqlstate; }

    // The open connection for the application's own maintenance; nullptr when not connected.
    [[nodiscard]] db::Connection* connection() { return m_conn.get(); }
    // Uses an already open connection (tests, the demo generator); closes open cursors and
    // drops any previous connection. Sets the status.
    void attach(std::unique_ptr<db::Connection> conn);

    // Status setters used by cursors and grids.
    void set_success();
    void set_no_more_rows();
    void set_error(const db::DbError& e);
    void set_error(long dbcode, std::string text);

  private:
    friend class Cursor;
    void close_cursors() noexcept;

    std::unique_ptr<db::Connection> m_conn;
    std::vector<Cursor*> m_open_cursors;  // cursors holding rows of m_conn
    long m_sqlcode = 0;
    long m_sqldbcode = 0;
    std::string m_sqlerrtext;
    std::string m_sqlstate;
};

}  // namespace host
