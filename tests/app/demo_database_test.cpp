#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/demo_database.h"
#include "host/db/connection.h"

namespace {

namespace fs = std::filesystem;

void set_env(const char* name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name, value->c_str(), 1);
    } else {
        ::unsetenv(name);
    }
}

TEST(DemoDatabase, DefaultPathFollowsXdgDataHome) {
    struct Case {
        std::optional<std::string> xdg, home;
        std::string expected;
    };
    const Case cases[] = {
        {"/data/x", "/home/u", "/data/x/trq05/demo.sqlite"},
        {std::nullopt, "/home/u", "/home/u/.local/share/trq05/demo.sqlite"},
        {"", "/home/u", "/home/u/.local/share/trq05/demo.sqlite"},
        {"relative/dir", "/home/u", "/home/u/.local/share/trq05/demo.sqlite"},
        {"/data/x", std::nullopt, "/data/x/trq05/demo.sqlite"},
    };
    for (const auto& c : cases) {
        set_env("XDG_DATA_HOME", c.xdg);
        set_env("HOME", c.home);
        EXPECT_EQ(app::default_demo_db_path(), fs::path(c.expected))
            << c.xdg.value_or("(unset)") << " " << c.home.value_or("(unset)");
    }
    set_env("XDG_DATA_HOME", std::nullopt);
    set_env("HOME", std::nullopt);
    EXPECT_THROW((void)app::default_demo_db_path(), std::runtime_error);
}

class DemoDatabaseFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("trq05-app-test-" + std::to_string(::getpid()));
        fs::remove_all(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::int64_t count(const fs::path& db) {
        auto conn = host::db::open_sqlite(db.string());
        std::vector<host::db::Value> out;
        conn->select("SELECT count(*) FROM t_05_baseinfo_old")->fetch(out, 1);
        return std::get<std::int64_t>(out.at(0));
    }

    std::vector<std::string> folder_entries() {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir / "trq05"))
            names.push_back(e.path().filename().string());
        return names;
    }

    fs::path dir;
};

TEST_F(DemoDatabaseFile, BuiltOnceWhenMissing) {
    const fs::path db = dir / "trq05" / "demo.sqlite";
    EXPECT_TRUE(app::ensure_demo_database(db, 120));
    EXPECT_EQ(count(db), 120);
    EXPECT_EQ(folder_entries(), std::vector<std::string>{"demo.sqlite"});

    // An existing file is left as it is, whatever it holds.
    host::db::open_sqlite(db.string())->execute("DELETE FROM t_05_baseinfo_old");
    EXPECT_FALSE(app::ensure_demo_database(db, 120));
    EXPECT_EQ(count(db), 0);
}

TEST_F(DemoDatabaseFile, AFailedBuildLeavesNothingBehind) {
    const fs::path db = dir / "trq05" / "demo.sqlite";
    app::DemoOptions options;
    options.records = 500;
    options.progress_every = 100;
    options.progress = [](std::size_t done, std::size_t) {
        if (done == 300) throw std::runtime_error("interrupted");
    };
    EXPECT_THROW(app::ensure_demo_database(db, options), std::runtime_error);
    EXPECT_FALSE(fs::exists(db));
    EXPECT_TRUE(folder_entries().empty());
}

}  // namespace
