// trq05: the headless front end of the search module.
//   trq05 --script FILE [--db FILE | --pg CONNINFO]   run a session script
//   trq05 demo (--db FILE | --pg CONNINFO) [--records N] [--seed S] [--replace]
// With neither --db nor --pg the demo database in the user's data folder is used, and made on
// first use.

#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/demo_database.h"
#include "app/globals.h"
#include "cli/session.h"
#include "host/db/connection.h"

namespace {

constexpr const char* kUsage =
    "usage: trq05 --script FILE [--db FILE | --pg CONNINFO]\n"
    "       trq05 demo (--db FILE | --pg CONNINFO) [--records N] [--seed S] [--replace]\n"
    "With neither --db nor --pg, the demo database in your data folder is used (made on first "
    "use).\n";

struct Options {
    std::optional<std::string> script;
    std::optional<std::string> db;
    std::optional<std::string> pg;
    std::size_t records = 5000;
    std::uint64_t seed = 1;
    bool replace = false;
    bool demo = false;
};

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

std::uint64_t parse_count(const std::string& flag, const std::string& value) {
    std::size_t used = 0;
    unsigned long long n = 0;
    try {
        n = std::stoull(value, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != value.size() || value.empty() || value.front() == '-') {
        throw UsageError(flag + " needs a whole number, not \"" + value + "\"");
    }
    return n;
}

Options parse(const std::vector<std::string>& args) {
    Options o;
    std::size_t i = 0;
    if (!args.empty() && args[0] == "demo") {
        o.demo = true;
        i = 1;
    }
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
            return args[++i];
        };
        if (a == "--script" && !o.demo) {
            o.script = value();
        } else if (a == "--db") {
            o.db = value();
        } else if (a == "--pg") {
            o.pg = value();
        } else if (a == "--records" && o.demo) {
            o.records = static_cast<std::size_t>(parse_count(a, value()));
        } else if (a == "--seed" && o.demo) {
            o.seed = parse_count(a, value());
        } else if (a == "--replace" && o.demo) {
            o.replace = true;
        } else {
            throw UsageError("unknown argument \"" + a + "\"");
        }
    }
    if (o.db && o.pg) throw UsageError("give either --db or --pg, not both");
    if (o.demo && !o.db && !o.pg) throw UsageError("demo needs --db FILE or --pg CONNINFO");
    if (!o.demo && !o.script) throw UsageError("nothing to do");
    return o;
}

int run_demo(const Options& o) {
    auto conn = o.db ? host::db::open_sqlite(*o.db) : host::db::open_postgresql(*o.pg);
    app::DemoOptions d;
    d.records = o.records;
    d.seed = o.seed;
    d.replace_existing = o.replace;
    d.progress_every = 50000;
    d.progress = [](std::size_t done, std::size_t total) {
        std::fprintf(stderr, "\rmaking demo records: %zu of %zu%s", done, total,
                     done == total ? "\n" : "");
    };
    const auto start = std::chrono::steady_clock::now();
    try {
        app::generate_demo(*conn, d);
    } catch (const app::TableNotEmpty& e) {
        std::fprintf(stderr, "trq05: %s (add --replace to replace them)\n", e.what());
        return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("made %zu demo records in %.2f s\n", o.records, took.count());
    return 0;
}

int run_script(const Options& o) {
    std::ifstream in{*o.script, std::ios::binary};
    if (!in) {
        std::cerr << "trq05: cannot read the script " << *o.script << '\n';
        return 2;
    }
    host::ConnectParams params;
    if (o.pg) {
        params = {host::ConnectParams::Dbms::postgresql, *o.pg};
    } else if (o.db) {
        params = {host::ConnectParams::Dbms::sqlite, *o.db};
    } else {
        const auto path = app::default_demo_db_path();
        if (app::ensure_demo_database(path)) {
            std::cerr << "trq05: made the demo database " << path.string() << '\n';
        }
        params = {host::ConnectParams::Dbms::sqlite, path.string()};
    }
    app::sqlca.params = params;
    app::sqlca.connect();
    if (app::sqlca.sqlcode() != 0) {
        // The session still runs: what needs the database finds it unreachable.
        std::cerr << "trq05: cannot open the database: " << app::sqlca.sqlerrtext() << '\n';
    }
    cli::Session session{std::cout};
    const bool ok = session.run(in);
    app::sqlca.disconnect();
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return args.empty() ? 2 : 0;
    }
    try {
        const Options o = parse(args);
        return o.demo ? run_demo(o) : run_script(o);
    } catch (const UsageError& e) {
        std::cerr << "trq05: " << e.what() << '\n' << kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "trq05: " << e.what() << '\n';
        return 1;
    }
}
