// The search windows put their conditions, as written here, into one SELECT on either back end.
// Each condition must run unchanged on both and select the rows it means.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "app/demo_data.h"
#include "app/schema.h"
#include "records.h"
#include "support/backends.h"

namespace {

using namespace app_test;
using namespace trq05_test;
using host::Date;

using Predicate = std::function<bool(const Row&)>;

struct Case {
    std::string fragment;
    Predicate selects;
};

const std::vector<std::string> k_text_columns{
    "姓名",      "工作单位",      "身份证号",      "房产证号",      "家庭住址",      "分类编号",
    "姓名_配偶", "身份证号_配偶", "家庭住址_配偶", "工作单位_配偶", "房产证号_配偶",
};

Predicate text_is(std::string column, std::string value) {
    return [=](const Row& r) { return text(r, column) == value; };
}
Predicate text_has(std::string column, std::string part) {
    return [=](const Row& r) {
        const auto t = text(r, column);
        return t && t->find(part) != std::string::npos;
    };
}
// Area in ten-thousandths of a square metre within [lo, hi].
Predicate area_in(std::string column, std::int64_t lo, std::int64_t hi) {
    return [=](const Row& r) {
        const auto a = area(r, column);
        return a && *a >= lo && *a <= hi;
    };
}
// Date strictly between two dates.
Predicate date_between(std::string column, Date after, Date before) {
    return [=](const Row& r) {
        const auto d = date(r, column);
        return d && *d > after && *d < before;
    };
}
Predicate date_null(std::string column) {
    return [=](const Row& r) { return !date(r, column); };
}
Predicate category(std::function<bool(const std::string&, std::int64_t monthly)> p) {
    return [=](const Row& r) { return p(*text(r, "领取补贴类别"), *cents(r, "月领取额")); };
}

constexpr std::int64_t k_max = INT64_MAX;

std::vector<Case> cases() {
    std::vector<Case> all;
    for (const auto& col : k_text_columns) {
        all.push_back({col + " ='O''Brien'", text_is(col, "O'Brien")});
        all.push_back({col + " like  '%张%'", text_has(col, "张")});
    }
    const auto in = [](const std::string& cls, std::initializer_list<const char*> set) {
        for (const char* c : set)
            if (cls == c) return true;
        return false;
    };
    const std::vector<Case> fixed{
        {"货币补贴开户行 ='中国工商银行'", text_is("货币补贴开户行", "中国工商银行")},
        {"(产权证面积>='50.00') and (产权证面积<='100.00')",
         area_in("产权证面积", 500000, 1000000)},
        {"(核定面积<'80.5')", area_in("核定面积", INT64_MIN, 804999)},
        {"(产权证面积_配偶>'7.')", area_in("产权证面积_配偶", 70001, k_max)},
        {"(核定面积_配偶='75')", area_in("核定面积_配偶", 750000, 750000)},
        {"(产权证面积<='.5')", area_in("产权证面积", INT64_MIN, 5000)},
        {"(核定面积>='105.')", area_in("核定面积", 1050000, k_max)},
        {"参加工作时间>'2003-04-30' and 参加工作时间<'2003-08-01'",
         date_between("参加工作时间", {2003, 4, 30}, {2003, 8, 1})},
        {"离退休时间>'2003-12-31' and 离退休时间<'2004-03-01'",
         date_between("离退休时间", {2003, 12, 31}, {2004, 3, 1})},
        {"参加工作时间_配偶>'2003-04-30' and 参加工作时间_配偶<'2003-08-01'",
         date_between("参加工作时间_配偶", {2003, 4, 30}, {2003, 8, 1})},
        {"离退休时间_配偶>'2003-12-31' and 离退休时间_配偶<'2004-03-01'",
         date_between("离退休时间_配偶", {2003, 12, 31}, {2004, 3, 1})},
        {"离退休时间 Is Null", date_null("离退休时间")},
        {"离退休时间_配偶 Is Null", date_null("离退休时间_配偶")},
        {"(领取补贴类别='TN' or 领取补贴类别='TW') or ((领取补贴类别='ZN' or 领取补贴类别='ZW') "
         "and "
         "月领取额=0)",
         category([&](const std::string& c, std::int64_t m) {
             return in(c, {"TN", "TW"}) || (in(c, {"ZN", "ZW"}) && m == 0);
         })},
        {"(领取补贴类别='NN' or 领取补贴类别='NW')",
         category([&](const std::string& c, std::int64_t) {
             return in(c, {"NN", "NW"});
         })},
        {"((领取补贴类别='ZN' or 领取补贴类别='ZW') and 月领取额>0)",
         category([&](const std::string& c, std::int64_t m) {
             return in(c, {"ZN", "ZW"}) && m > 0;
         })},
        {"(领取补贴类别='TY' or 领取补贴类别='ZY' or 领取补贴类别='NY')",
         category([&](const std::string& c, std::int64_t) {
             return in(c, {"TY", "ZY", "NY"});
         })},
        {"(领取补贴类别='TN' or 领取补贴类别='TW')",
         category([&](const std::string& c, std::int64_t) {
             return in(c, {"TN", "TW"});
         })},
        {"(领取补贴类别='ZN' and 月领取额= 0)",
         category([](const std::string& c, std::int64_t m) { return c == "ZN" && m == 0; })},
        {"( 领取补贴类别='NN'  )",
         category([](const std::string& c, std::int64_t) { return c == "NN"; })},
        {"领取补贴类别 like  '_Y%'",
         category([](const std::string& c, std::int64_t) { return c[1] == 'Y'; })},
        {"领取补贴类别 like  '_W%'",
         category([](const std::string& c, std::int64_t) { return c[1] == 'W'; })},
        {"领取补贴类别 like  '_N%'",
         category([](const std::string& c, std::int64_t) { return c[1] == 'N'; })},
        {"领取补贴类别 like  'N%'",
         category([](const std::string& c, std::int64_t) { return c[0] == 'N'; })},
        {"领取补贴类别 like  'Z%'",
         category([](const std::string& c, std::int64_t) { return c[0] == 'Z'; })},
        {"领取补贴类别 like  'T%'",
         category([](const std::string& c, std::int64_t) { return c[0] == 'T'; })},
    };
    all.insert(all.end(), fixed.begin(), fixed.end());
    return all;
}

class SearchFragments : public BackendTest {
  protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        table = demo_rows(2000, 11);
        add_handmade_rows();

        app::create_schema(db());
        std::vector<std::string> names;
        for (const auto& c : app::baseinfo_columns()) names.emplace_back(c.name);
        auto loader = db().bulk_load(app::baseinfo_table, names);
        for (const auto& r : table) loader->add_row(r);
        loader->finish();
    }

    // Rows that the demo data never hold: quotes, 张 in every text column, values on the
    // bounds of the ranges searched.
    void add_handmade_rows() {
        Row quoted = table[0];
        Row zhang = table[1];
        Row bounds = table[2];
        const auto set = [](Row& r, const char* column, Value v) {
            r[app::column_index(column)] = std::move(v);
        };
        const char* ids[] = {"H0000001", "H0000002", "H0000003"};
        set(quoted, "编号", ids[0]);
        set(zhang, "编号", ids[1]);
        set(bounds, "编号", ids[2]);
        for (const auto& col : k_text_columns) {
            set(quoted, col.c_str(), std::string("O'Brien"));
            set(zhang, col.c_str(), std::string("老张") + (col.ends_with("配偶") ? "配偶" : ""));
        }
        set(quoted, "参加工作时间", Date{2003, 5, 1});
        set(quoted, "离退休时间", Date{2004, 2, 29});
        set(quoted, "参加工作时间_配偶", Date{2003, 7, 31});
        set(quoted, "离退休时间_配偶", Date{2004, 1, 1});
        set(quoted, "产权证面积", 0.5);
        set(quoted, "产权证面积_配偶", 7.0001);
        set(quoted, "核定面积_配偶", 75.0);

        set(bounds, "参加工作时间", Date{2003, 4, 30});
        set(bounds, "离退休时间", Date{2003, 12, 31});
        set(bounds, "参加工作时间_配偶", Date{2003, 8, 1});
        set(bounds, "离退休时间_配偶", Date{2004, 3, 1});
        set(bounds, "产权证面积", 100.0);
        set(bounds, "核定面积", 80.5);
        set(bounds, "产权证面积_配偶", 7.0);
        set(bounds, "核定面积_配偶", 75.0001);
        table.push_back(std::move(quoted));
        table.push_back(std::move(zhang));
        table.push_back(std::move(bounds));
    }

    // 编号 -> 姓名 of the rows the SELECT returns.
    std::map<std::string, std::string> run(const std::string& sql) {
        std::map<std::string, std::string> got;
        std::size_t ncols = 0;
        const auto values = all_rows(sql, &ncols);
        EXPECT_EQ(ncols, 2u);
        for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
            got.emplace(std::get<std::string>(values[i]), std::get<std::string>(values[i + 1]));
        }
        return got;
    }

    std::map<std::string, std::string> expected(const Predicate& p) const {
        std::map<std::string, std::string> want;
        for (const auto& r : table) {
            if (p(r)) want.emplace(*text(r, "编号"), *text(r, "姓名"));
        }
        return want;
    }

    // Names the rows missing and the rows too many rather than printing whole tables.
    static void expect_same(const std::map<std::string, std::string>& got,
                            const std::map<std::string, std::string>& want) {
        std::string missing, extra;
        for (const auto& [id, name] : want) {
            const auto it = got.find(id);
            if (it == got.end()) {
                missing += " " + id;
            } else {
                EXPECT_EQ(it->second, name) << id;
            }
        }
        for (const auto& [id, name] : got) {
            if (!want.contains(id)) extra += " " + id;
        }
        EXPECT_EQ(missing, "") << "rows not selected";
        EXPECT_EQ(extra, "") << "rows selected wrongly";
    }

    std::vector<Row> table;
};

TEST_P(SearchFragments, EveryConditionRunsAndSelectsItsRows) {
    for (const auto& c : cases()) {
        SCOPED_TRACE(c.fragment);
        const std::string sql =
            "SELECT t_05_baseinfo_old.编号, t_05_baseinfo_old.姓名 FROM t_05_baseinfo_old where "
            "('1'='1') and (" +
            c.fragment + ")";
        std::map<std::string, std::string> got;
        try {
            got = run(sql);
        } catch (const host::db::DbError& e) {
            ADD_FAILURE() << "rejected: " << e.what();
            continue;
        }
        const auto want = expected(c.selects);
        EXPECT_FALSE(want.empty());  // the fixture holds rows for every condition
        expect_same(got, want);
    }
}

TEST_P(SearchFragments, SpouseWindowFilter) {
    const std::string base =
        "SELECT t_05_baseinfo_old.编号, t_05_baseinfo_old.姓名 FROM t_05_baseinfo_old where "
        "(姓名_配偶 <> '' ) AND ( 姓名_配偶  is not null ) ";
    const auto has_spouse = [](const Row& r) {
        const auto s = text(r, "姓名_配偶");
        return s && !s->empty();
    };
    const auto all = expected(has_spouse);
    EXPECT_GT(all.size(), table.size() / 2);
    EXPECT_LT(all.size(), table.size());
    expect_same(run(base), all);

    std::string name;
    for (const auto& r : table) {
        if (has_spouse(r)) {
            name = *text(r, "姓名_配偶");
            break;
        }
    }
    for (const auto& [literal, value] :
         {std::pair{std::string("O''Brien"), std::string("O'Brien")}, std::pair{name, name}}) {
        SCOPED_TRACE(literal);
        const auto want = expected(
            [&, v = value](const Row& r) { return has_spouse(r) && text(r, "姓名_配偶") == v; });
        EXPECT_FALSE(want.empty());
        expect_same(run(base + " and (姓名_配偶 ='" + literal + "')"), want);
    }
}

TRQ05_BOTH_BACKENDS(SearchFragments);

}  // namespace
