#pragma once

// A light lexical look at SQL text, enough to tell how many statements it holds and what kind
// the first one is, without running anything. It knows quoted literals ('O''Brien', E'\''),
// quoted identifiers, dollar quoting and both comment forms, so a ';' inside any of them does
// not end a statement. Block comments nest as in PostgreSQL unless nested_comments is false
// (SQLite, where a block comment ends at its first "*/").

#include <cstddef>
#include <string_view>

namespace host::db::detail {

struct StatementScan {
    std::string_view first_word;  // the first word of the first statement, past any '('
    std::size_t end = 0;          // where the first statement's text ends (before its ';')
    bool empty = true;            // no statement at all: blanks, comments, lone ';'
    bool more = false;            // another statement follows the first
};

[[nodiscard]] StatementScan scan_statements(std::string_view sql, bool nested_comments = true);

// ASCII case-insensitive comparison of a word with an upper-case keyword.
[[nodiscard]] bool is_keyword(std::string_view word, std::string_view upper_keyword);

// True when the text is exactly one statement that starts with SELECT or WITH.
[[nodiscard]] inline bool is_single_query(const StatementScan& s) {
    return !s.empty && !s.more &&
           (is_keyword(s.first_word, "SELECT") || is_keyword(s.first_word, "WITH"));
}

}  // namespace host::db::detail
