#include "app/schema.h"

#include <array>
#include <stdexcept>

namespace app {
namespace {

using K = ColumnKind;

constexpr std::array<ColumnDef, 33> k_columns{{
    {"编号", K::text, 20},          {"分类编号", K::text, 10},      {"姓名", K::text, 20},
    {"性别", K::text, 2},           {"出生日期", K::date},          {"职务职称", K::text, 20},
    {"身份证号", K::text, 18},      {"工作单位", K::text, 50},      {"房产证号", K::text, 30},
    {"家庭住址", K::text, 60},      {"联系电话", K::text, 20},      {"参加工作时间", K::date},
    {"离退休时间", K::date},        {"产权证面积", K::area},        {"核定面积", K::area},
    {"未达标面积", K::area},        {"一次性领取额", K::amount},    {"曾发金额", K::amount},
    {"月领取额", K::amount},        {"领取补贴类别", K::text, 2},   {"货币补贴开户行", K::text, 30},
    {"货币补贴账号", K::text, 30},  {"姓名_配偶", K::text, 20},     {"身份证号_配偶", K::text, 18},
    {"参加工作时间_配偶", K::date}, {"离退休时间_配偶", K::date},   {"工作单位_配偶", K::text, 50},
    {"职称_配偶", K::text, 20},     {"房产证号_配偶", K::text, 30}, {"家庭住址_配偶", K::text, 60},
    {"产权证面积_配偶", K::area},   {"核定面积_配偶", K::area},     {"备注", K::text, 100},
}};

// The columns the search windows look up by equality or prefix.
constexpr std::array<std::string_view, 5> k_indexed{
    "姓名", "身份证号", "货币补贴开户行", "领取补贴类别", "姓名_配偶",
};

std::string type_sql(const ColumnDef& c, Backend backend) {
    switch (c.kind) {
        case K::text:
            return "VARCHAR(" + std::to_string(c.length) + ")";
        case K::date:
            // SQLite has no date type: DATE (numeric affinity) keeps 'YYYY-MM-DD' as text, which
            // compares correctly with date literals written the same way.
            return backend == Backend::postgresql ? "date" : "DATE";
        case K::area:
            return "NUMERIC(12,4)";
        case K::amount:
            return "NUMERIC(12,2)";
    }
    throw std::logic_error("unknown column kind");
}

}  // namespace

std::span<const ColumnDef> baseinfo_columns() {
    return k_columns;
}

std::size_t column_index(std::string_view name) {
    for (std::size_t i = 0; i < k_columns.size(); ++i) {
        if (k_columns[i].name == name) return i;
    }
    throw std::out_of_range("no column " + std::string(name) + " in " +
                            std::string(baseinfo_table));
}

Backend backend_of(const host::db::Connection& conn) {
    const auto name = conn.backend_name();
    if (name == "sqlite") return Backend::sqlite;
    if (name == "postgresql") return Backend::postgresql;
    throw std::invalid_argument("unsupported database back end: " + std::string(name));
}

std::string create_table_sql(Backend backend) {
    std::string sql = "CREATE TABLE IF NOT EXISTS ";
    sql += baseinfo_table;
    sql += " (\n";
    for (const auto& c : k_columns) {
        sql += "  ";
        sql += c.name;
        sql += ' ';
        sql += type_sql(c, backend);
        if (&c == &k_columns.front()) sql += " NOT NULL PRIMARY KEY";
        sql += ",\n";
    }
    sql.erase(sql.size() - 2);  // the last ",\n"
    sql += "\n)";
    return sql;
}

std::string create_indexes_sql() {
    std::string sql;
    for (const auto name : k_indexed) {
        if (!sql.empty()) sql += ";\n";
        sql += "CREATE INDEX IF NOT EXISTS ix_";
        sql += baseinfo_table;
        sql += '_';
        sql += name;
        sql += " ON ";
        sql += baseinfo_table;
        sql += " (";
        sql += name;
        sql += ')';
    }
    return sql;
}

void create_schema(host::db::Connection& conn) {
    const auto backend = backend_of(conn);
    conn.execute(create_table_sql(backend) + ";\n" + create_indexes_sql());
}

}  // namespace app
