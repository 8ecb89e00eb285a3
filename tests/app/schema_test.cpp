#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/demo_data.h"
#include "app/schema.h"
#include "records.h"
#include "support/backends.h"

namespace {

using namespace app_test;
using namespace trq05_test;
using host::db::ColumnType;

std::string all_columns() {
    std::string list;
    for (const auto& c : app::baseinfo_columns()) {
        if (!list.empty()) list += ", ";
        list += c.name;
    }
    return list;
}

class Schema : public BackendTest {};

TEST_P(Schema, CreatesEveryColumnWithItsTypeAndIsRepeatable) {
    app::create_schema(db());
    app::create_schema(db());  // IF NOT EXISTS throughout

    auto rs = db().select("SELECT " + all_columns() + " FROM t_05_baseinfo_old");
    const auto& cols = rs->columns();
    const auto defs = app::baseinfo_columns();
    ASSERT_EQ(cols.size(), defs.size());
    for (std::size_t i = 0; i < defs.size(); ++i) {
        EXPECT_EQ(cols[i].name, defs[i].name);
        const ColumnType expected = defs[i].kind == app::ColumnKind::text   ? ColumnType::text
                                    : defs[i].kind == app::ColumnKind::date ? ColumnType::date
                                                                            : ColumnType::decimal;
        EXPECT_EQ(cols[i].type, expected) << defs[i].name;
    }
}

TEST_P(Schema, IndexesTheSearchedColumns) {
    app::create_schema(db());
    const std::string sql =
        GetParam() == Backend::sqlite
            ? "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = "
              "'t_05_baseinfo_old' AND sql IS NOT NULL"
            : "SELECT indexname FROM pg_indexes WHERE tablename = 't_05_baseinfo_old' AND "
              "schemaname = current_schema() AND indexname NOT LIKE '%pkey'";
    std::set<std::string> names;
    for (const auto& v : all_rows(sql)) names.insert(std::get<std::string>(v));
    const std::set<std::string> expected{
        "ix_t_05_baseinfo_old_姓名", "ix_t_05_baseinfo_old_身份证号",
        "ix_t_05_baseinfo_old_货币补贴开户行", "ix_t_05_baseinfo_old_领取补贴类别",
        "ix_t_05_baseinfo_old_姓名_配偶"};
    EXPECT_EQ(names, expected);
}

TEST_P(Schema, KeyIsUnique) {
    app::create_schema(db());
    db().execute("INSERT INTO t_05_baseinfo_old (编号, 姓名) VALUES ('00000001', '王伟')");
    EXPECT_THROW(
        db().execute("INSERT INTO t_05_baseinfo_old (编号, 姓名) VALUES ('00000001', '李娜')"),
        host::db::DbError);
}

TEST_P(Schema, DemoRecordsReadBackAsGenerated) {
    app::DemoOptions options;
    options.records = 300;
    options.seed = 5;
    app::generate_demo(db(), options);

    std::size_t ncols = 0;
    const auto got =
        all_rows("SELECT " + all_columns() + " FROM t_05_baseinfo_old ORDER BY 编号", &ncols);
    const auto expected = demo_rows(300, 5);
    ASSERT_EQ(got.size(), expected.size() * ncols);
    for (std::size_t r = 0; r < expected.size(); ++r) {
        for (std::size_t c = 0; c < ncols; ++c) {
            const Value& want = expected[r][c];
            const Value& have = got[r * ncols + c];
            const auto kind = app::baseinfo_columns()[c].kind;
            if (kind == app::ColumnKind::area || kind == app::ColumnKind::amount) {
                const int places = kind == app::ColumnKind::area ? 4 : 2;
                EXPECT_EQ(scaled(have, places), scaled(want, places))
                    << app::baseinfo_columns()[c].name << " of record " << r;
            } else {
                EXPECT_EQ(have, want) << app::baseinfo_columns()[c].name << " of record " << r;
            }
        }
    }
}

TEST_P(Schema, DemoLoadReportsProgressAndGuardsExistingRows) {
    app::DemoOptions options;
    options.records = 250;
    options.progress_every = 100;
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    options.progress = [&](std::size_t done, std::size_t total) {
        calls.emplace_back(done, total);
    };
    app::generate_demo(db(), options);
    const std::vector<std::pair<std::size_t, std::size_t>> expected{
        {100, 250}, {200, 250}, {250, 250}};
    EXPECT_EQ(calls, expected);

    options.progress = nullptr;
    options.records = 40;
    EXPECT_THROW(app::generate_demo(db(), options), std::runtime_error);
    EXPECT_EQ(all_rows("SELECT count(*) FROM t_05_baseinfo_old").at(0), Value{std::int64_t{250}});

    options.replace_existing = true;
    app::generate_demo(db(), options);
    EXPECT_EQ(all_rows("SELECT count(*) FROM t_05_baseinfo_old").at(0), Value{std::int64_t{40}});
}

TEST_P(Schema, AFailedDemoLoadLeavesNoRows) {
    app::DemoOptions options;
    options.records = 300;
    options.progress_every = 100;
    options.progress = [](std::size_t done, std::size_t) {
        if (done == 200) throw std::runtime_error("stop");
    };
    EXPECT_THROW(app::generate_demo(db(), options), std::runtime_error);
    EXPECT_EQ(all_rows("SELECT count(*) FROM t_05_baseinfo_old").at(0), Value{std::int64_t{0}});
}

TRQ05_BOTH_BACKENDS(Schema);

}  // namespace
