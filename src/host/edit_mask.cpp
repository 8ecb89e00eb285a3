#include "host/edit_mask.h"

#include <cctype>

namespace host {

std::vector<std::string_view> utf8_chars(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t len = 1;
        if (lead >= 0xF0) {
            len = 4;
        } else if (lead >= 0xE0) {
            len = 3;
        } else if (lead >= 0xC0) {
            len = 2;
        }
        if (i + len > text.size()) len = text.size() - i;
        out.push_back(text.substr(i, len));
        i += len;
    }
    return out;
}

namespace {
bool is_digit(std::string_view c) {
    return c.size() == 1 && std::isdigit(static_cast<unsigned char>(c[0])) != 0;
}
}  // namespace

Mask::Mask(std::string pattern) : m_pattern(std::move(pattern)) {
    const auto chars = utf8_chars(m_pattern);
    bool has_hash = false;
    bool has_date = false;
    for (auto c : chars) {
        if (c == "#") has_hash = true;
        if (c == "y" || c == "m" || c == "d") has_date = true;
    }
    if (has_hash) {
        m_kind = Kind::number;
        bool after_point = false;
        for (auto c : chars) {
            if (c == ".") {
                after_point = true;
            } else if (c == "#" || c == "0") {
                ++(after_point ? m_frac_places : m_int_places);
            }
        }
    } else if (has_date) {
        m_kind = Kind::date;
        for (auto c : chars) {
            if (c == "y" || c == "m" || c == "d") {
                m_slots.push_back({c[0], {}});
            } else {
                m_slots.push_back({0, std::string{c}});
            }
        }
    }
}

std::string Mask::accept(std::string_view typed) const {
    std::string out;
    switch (m_kind) {
        case Kind::text:
            return std::string{typed};
        case Kind::number: {
            int before = 0;
            int after = 0;
            bool point = false;
            for (auto c : utf8_chars(typed)) {
                if (is_digit(c)) {
                    int& count = point ? after : before;
                    const int limit = point ? m_frac_places : m_int_places;
                    if (count < limit) {
                        ++count;
                        out += c;
                    }
                } else if (c == "." && !point && m_frac_places > 0) {
                    point = true;
                    out += c;
                }
            }
            return out;
        }
        case Kind::date: {
            std::size_t pos = 0;
            for (auto c : utf8_chars(typed)) {
                if (pos >= m_slots.size()) break;
                if (m_slots[pos].field == 0 && c == m_slots[pos].literal) {
                    out += c;
                    ++pos;
                } else if (is_digit(c)) {
                    // A digit fills the next digit place; fixed characters before it come along.
                    while (pos < m_slots.size() && m_slots[pos].field == 0) {
                        out += m_slots[pos++].literal;
                    }
                    if (pos < m_slots.size()) {
                        out += c;
                        ++pos;
                    }
                }
            }
            // A field whose digit places are all filled shows its trailing fixed characters.
            bool more_digits = false;
            for (std::size_t i = pos; i < m_slots.size(); ++i) {
                if (m_slots[i].field != 0) more_digits = true;
            }
            if (!more_digits) {
                for (; pos < m_slots.size(); ++pos) out += m_slots[pos].literal;
            }
            return out;
        }
    }
    return out;
}

std::optional<Date> Mask::date_of(std::string_view content) const {
    if (m_kind != Kind::date) return std::nullopt;
    int year = 0;
    int month = 0;
    int day = 0;
    int ydigits = 0;
    int mdigits = 0;
    int ddigits = 0;
    int yplaces = 0;
    int mplaces = 0;
    int dplaces = 0;
    for (const auto& s : m_slots) {
        if (s.field == 'y') ++yplaces;
        if (s.field == 'm') ++mplaces;
        if (s.field == 'd') ++dplaces;
    }
    const auto chars = utf8_chars(content);
    std::size_t pos = 0;
    for (auto c : chars) {
        if (pos >= m_slots.size()) return std::nullopt;
        const Slot& s = m_slots[pos++];
        if (s.field == 0) {
            if (c != s.literal) return std::nullopt;
            continue;
        }
        if (!is_digit(c)) return std::nullopt;
        const int d = c[0] - '0';
        if (s.field == 'y') year = year * 10 + d, ++ydigits;
        if (s.field == 'm') month = month * 10 + d, ++mdigits;
        if (s.field == 'd') day = day * 10 + d, ++ddigits;
    }
    if (ydigits != yplaces || mdigits != mplaces || ddigits != dplaces || yplaces == 0 ||
        mplaces == 0) {
        return std::nullopt;
    }
    if (dplaces == 0) day = 1;
    if (year < 1) return std::nullopt;
    const Date date{year, static_cast<unsigned>(month), static_cast<unsigned>(day)};
    if (month < 1 || month > 12 || !date.ok()) return std::nullopt;
    return date;
}

}  // namespace host
