// Times a full typed SELECT of every column of t_05_baseinfo_old.
//   bench_select --db FILE | --pg CONNINFO [--batch N]
// Make the table first with: trq05 demo --db FILE --records N
// With --db it also times SQLite stepping the same query with no values read, the floor that
// the typed read adds to.

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "host/db/connection.h"

namespace {

const char* const query = "SELECT * FROM t_05_baseinfo_old";

// Seconds for SQLite to step every row of the query, reading nothing.
double sqlite_step_only(const std::string& path, std::size_t& rows, double& cpu) {
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    rows = 0;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, query, -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) ++rows;
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    return took.count();
}

}  // namespace

int main(int argc, char** argv) {
    std::string db, pg;
    std::size_t batch = 1000;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--db") {
            db = argv[i + 1];
        } else if (a == "--pg") {
            pg = argv[i + 1];
        } else if (a == "--batch") {
            batch = std::strtoul(argv[i + 1], nullptr, 10);
        }
    }
    if (db.empty() == pg.empty() || batch == 0) {
        std::fprintf(stderr, "usage: bench_select (--db FILE | --pg CONNINFO) [--batch N]\n");
        return 2;
    }
    try {
        auto conn = db.empty() ? host::db::open_postgresql(pg) : host::db::open_sqlite(db);
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpu_start = std::clock();
        auto rs = conn->select(query);
        std::vector<host::db::Value> rows;
        std::size_t total = 0, nulls = 0;
        while (true) {
            rows.clear();
            const std::size_t n = rs->fetch(rows, batch);
            if (n == 0) break;
            total += n;
            for (const auto& v : rows)
                if (host::db::is_null(v)) ++nulls;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const double cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
        std::printf("%s: %zu rows x %zu columns (%zu nulls) in %.3f s (%.3f s CPU), batch %zu\n",
                    std::string(conn->backend_name()).c_str(), total, rs->columns().size(), nulls,
                    took.count(), cpu, batch);
        {
            // Giving up after the first rows must cost next to nothing.
            const auto t0 = std::chrono::steady_clock::now();
            {
                auto head = conn->select(query);
                rows.clear();
                head->fetch(rows, 10);
            }
            conn->execute("SELECT 1");
            const std::chrono::duration<double> t = std::chrono::steady_clock::now() - t0;
            std::printf("abandoned after 10 rows: %.3f s\n", t.count());
        }
        if (!db.empty()) {
            std::size_t stepped = 0;
            double cpu_step = 0;
            const double t = sqlite_step_only(db, stepped, cpu_step);
            std::printf("sqlite step only: %zu rows in %.3f s (%.3f s CPU)\n", stepped, t,
                        cpu_step);
        }
    } catch (const host::db::DbError& e) {
        std::fprintf(stderr, "bench_select: %s\n", e.what());
        return 1;
    }
    return 0;
}
