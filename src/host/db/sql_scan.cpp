#include "host/db/sql_scan.h"

namespace host::db::detail {

namespace {

bool word_start(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || u >= 0x80;
}

bool word_char(char c) {
    return word_start(c) || (c >= '0' && c <= '9') || c == '$';
}

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Skips a quoted run that starts at sql[i] (the opening quote) and returns the index just past
// the closing quote; a doubled quote stands for one. With backslash escapes (E'...') a
// backslash takes the next character literally.
std::size_t skip_quoted(std::string_view sql, std::size_t i, char quote, bool backslash) {
    ++i;
    while (i < sql.size()) {
        const char c = sql[i];
        if (backslash && c == '\\') {
            i += 2;
        } else if (c == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                i += 2;
            } else {
                return i + 1;
            }
        } else {
            ++i;
        }
    }
    return sql.size();
}

// Returns the length of a dollar-quote tag ("$$", "$body$") starting at sql[i], or 0.
std::size_t dollar_tag(std::string_view sql, std::size_t i) {
    std::size_t j = i + 1;
    if (j < sql.size() && sql[j] == '$') return 2;
    if (j >= sql.size() || !word_start(sql[j])) return 0;
    while (j < sql.size() && word_char(sql[j]) && sql[j] != '$') ++j;
    return j < sql.size() && sql[j] == '$' ? j - i + 1 : 0;
}

}  // namespace

bool is_keyword(std::string_view word, std::string_view upper_keyword) {
    if (word.size() != upper_keyword.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        char c = word[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != upper_keyword[i]) return false;
    }
    return true;
}

StatementScan scan_statements(std::string_view sql, bool nested_comments) {
    StatementScan s;
    bool in_first = true;   // still inside the first statement
    bool want_word = true;  // the first word has not been seen yet
    std::size_t i = 0;
    const std::size_t n = sql.size();
    auto token = [&](std::size_t from, std::size_t to) {
        if (in_first) {
            s.empty = false;
            s.end = to;
            if (want_word) {
                if (word_start(sql[from])) {
                    s.first_word = sql.substr(from, to - from);
                    want_word = false;
                } else if (sql[from] != '(') {
                    want_word = false;
                }
            }
        } else {
            s.more = true;
        }
    };
    while (i < n && !s.more) {
        const char c = sql[i];
        if (blank(c)) {
            ++i;
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            while (i < n && sql[i] != '\n') ++i;
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            // PostgreSQL nests block comments.
            int depth = 1;
            i += 2;
            while (i < n && depth > 0) {
                if (nested_comments && sql[i] == '/' && i + 1 < n && sql[i + 1] == '*') {
                    ++depth;
                    i += 2;
                } else if (sql[i] == '*' && i + 1 < n && sql[i + 1] == '/') {
                    --depth;
                    i += 2;
                } else {
                    ++i;
                }
            }
        } else if (c == ';') {
            if (!s.empty) in_first = false;
            ++i;
        } else if (c == '\'' || c == '"' || c == '`') {
            const std::size_t to = skip_quoted(sql, i, c, false);
            token(i, to);
            i = to;
        } else if (c == '[') {
            // SQLite's [bracketed identifier].
            std::size_t to = sql.find(']', i);
            to = to == std::string_view::npos ? n : to + 1;
            token(i, to);
            i = to;
        } else if (c == '$' && dollar_tag(sql, i) > 0) {
            const std::size_t len = dollar_tag(sql, i);
            const std::string_view tag = sql.substr(i, len);
            std::size_t to = sql.find(tag, i + len);
            to = to == std::string_view::npos ? n : to + len;
            token(i, to);
            i = to;
        } else if (word_start(c)) {
            std::size_t to = i + 1;
            if ((c == 'E' || c == 'e') && to < n && sql[to] == '\'') {
                to = skip_quoted(sql, to, '\'', true);
            } else {
                while (to < n && word_char(sql[to])) ++to;
            }
            token(i, to);
            i = to;
        } else {
            token(i, i + 1);
            ++i;
        }
    }
    return s;
}

}  // namespace host::db::detail
