#pragma once

namespace host::db::detail {

// Rows asked of a PostgreSQL cursor per round trip.
inline constexpr int pg_fetch_rows = 10000;

}  // namespace host::db::detail
