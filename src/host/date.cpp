#include "host/date.h"

#include <cstdio>

namespace host {

std::string to_iso(const Date& d) {
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", d.year(), d.month(), d.day());
    return std::string(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

namespace {

bool digits(std::string_view text, std::size_t from, std::size_t count, unsigned& value) {
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return true;
}

}  // namespace

std::optional<Date> parse_iso_date(std::string_view text) {
    // YYYY-MM-DD, then either the end or a time of day ("2024-01-31 08:00:00", "...T08:00").
    if (text.size() < 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    if (text.size() > 10 && text[10] != ' ' && text[10] != 'T') return std::nullopt;
    // PostgreSQL writes a date before the year 1 as "0044-03-15 BC" (a timestamp "... BC" too).
    if (text.ends_with(" BC")) return std::nullopt;
    unsigned year = 0, month = 0, day = 0;
    if (!digits(text, 0, 4, year) || !digits(text, 5, 2, month) || !digits(text, 8, 2, day))
        return std::nullopt;
    const Date d{static_cast<int>(year), month, day};
    if (!d.ok()) return std::nullopt;
    return d;
}

}  // namespace host
