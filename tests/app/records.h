#pragma once

// Reading generated rows by column name, and demo rows kept in memory for comparison.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/demo_data.h"
#include "app/schema.h"
#include "host/db/connection.h"

namespace app_test {

using host::db::Value;
using Row = std::vector<Value>;

inline std::vector<Row> demo_rows(std::size_t count, std::uint64_t seed) {
    const app::DemoGenerator gen{seed};
    std::vector<Row> rows(count);
    for (std::size_t i = 0; i < count; ++i) gen.fill(i, rows[i]);
    return rows;
}

inline const Value& at(const Row& row, std::string_view column) {
    return row.at(app::column_index(column));
}

inline std::optional<std::string> text(const Row& row, std::string_view column) {
    if (const auto* s = std::get_if<std::string>(&at(row, column))) return *s;
    return std::nullopt;
}

inline std::optional<host::Date> date(const Row& row, std::string_view column) {
    if (const auto* d = std::get_if<host::Date>(&at(row, column))) return *d;
    return std::nullopt;
}

// A decimal column's value in units of 10^-places (areas 4, amounts 2); nullopt when null.
// Fails the caller's expectations through `exact` when the value has more places than that.
inline std::optional<std::int64_t> scaled(const Value& v, int places, bool* exact = nullptr) {
    const double* d = std::get_if<double>(&v);
    if (d == nullptr) return std::nullopt;
    const double x = *d * std::pow(10.0, places);
    const double r = std::round(x);
    if (exact != nullptr) *exact = std::fabs(x - r) < 1e-6;
    return static_cast<std::int64_t>(r);
}

inline std::optional<std::int64_t> area(const Row& row, std::string_view column) {
    return scaled(at(row, column), 4);
}
inline std::optional<std::int64_t> cents(const Row& row, std::string_view column) {
    return scaled(at(row, column), 2);
}

// Completed years of age on `on` of someone born on `birth`.
inline int age_on(const host::Date& birth, const host::Date& on) {
    int years = on.year() - birth.year();
    if (on.month() < birth.month() || (on.month() == birth.month() && on.day() < birth.day()))
        --years;
    return years;
}

}  // namespace app_test
