#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "host/db/connection.h"

namespace host::db::detail {

// Makes room for `extra` more values without giving up the vector's geometric growth (a plain
// reserve(size + extra) on every small batch would copy the whole vector each time).
inline void reserve_more(std::vector<Value>& out, std::size_t extra) {
    if (out.capacity() - out.size() >= extra) return;
    out.reserve(std::max(out.size() + extra, 2 * out.capacity()));
}

}  // namespace host::db::detail
