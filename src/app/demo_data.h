#pragma once

// Made-up but realistic employee records for trying the program out and for tests. The rows
// depend only on the seed and the record number, so the same seed gives the same rows on any
// machine.
//
// The records describe the office's books as of demo_as_of:
//  - 参加工作时间: the employee was between 17 and 25 (completed years) when starting work;
//  - 离退休时间: set when the employee reached retirement age (men 60, women 55 or 50) on or
//    before demo_as_of, on the first day of the month after that birthday;
//  - 领取补贴类别, first letter: T when 离退休时间 is set, otherwise N when 参加工作时间 is on or
//    after demo_new_employee_from (2005-01-01), otherwise Z; second letter: Y housing up to
//    the standard (未达标面积 0, no subsidy), W below it, N no housing (产权证面积 0);
//  - 未达标面积 = 核定面积 - 产权证面积 - 产权证面积_配偶 (never negative);
//  - TN/TW: a one-off amount (一次性领取额 > 0) and 月领取额 0; ZN/ZW: either one-off only
//    (月领取额 0) or monthly (月领取额 > 0); NN/NW: monthly (月领取额 > 0, no one-off);
//    xY: 一次性领取额 0 and 月领取额 0.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <vector>

#include "host/date.h"
#include "host/db/connection.h"

namespace app {

inline constexpr host::Date demo_as_of{2012, 12, 31};
inline constexpr host::Date demo_new_employee_from{2005, 1, 1};

struct DemoOptions {
    std::size_t records = 5000;
    std::uint64_t seed = 1;
    // Called with (records written, records) every progress_every records and at the end.
    std::function<void(std::size_t done, std::size_t total)> progress;
    std::size_t progress_every = 10000;
    // The table must be empty unless this is set; then its rows are deleted first.
    bool replace_existing = false;
};

// Makes the records one by one, as rows in the column order of baseinfo_columns().
class DemoGenerator {
  public:
    explicit DemoGenerator(std::uint64_t seed) : m_seed{seed} {}
    // Overwrites row (resized to the column count) with record number `index` (0-based);
    // reuses the strings already in row.
    void fill(std::size_t index, std::vector<host::db::Value>& row) const;

  private:
    std::uint64_t m_seed;
};

// Creates the schema when missing and loads options.records records through one bulk load.
// Thrown when the table already holds rows and replace_existing is unset.
class TableNotEmpty : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Throws TableNotEmpty when the table already holds rows and replace_existing is unset,
// host::db::DbError when the database fails, and whatever the progress callback throws (the
// load is then discarded).
void generate_demo(host::db::Connection& conn, const DemoOptions& options);

}  // namespace app
