// Times making demo records into a fresh SQLite file:
//   bench_demo [RECORDS [FILE]]   (default 1000000 records, a temporary file)

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/demo_data.h"
#include "host/db/connection.h"

int main(int argc, char** argv) {
    const std::size_t records = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1'000'000;
    const std::filesystem::path file =
        argc > 2 ? std::filesystem::path(argv[2])
                 : std::filesystem::temp_directory_path() /
                       ("trq05-bench-demo-" + std::to_string(::getpid()) + ".sqlite");
    std::filesystem::remove(file);

    app::DemoOptions options;
    options.records = records;

    // The generator alone, to tell its share from the database's.
    const auto gen_start = std::chrono::steady_clock::now();
    {
        const app::DemoGenerator gen{options.seed};
        std::vector<host::db::Value> row;
        for (std::size_t i = 0; i < records; ++i) gen.fill(i, row);
    }
    const std::chrono::duration<double> gen_took = std::chrono::steady_clock::now() - gen_start;

    const auto start = std::chrono::steady_clock::now();
    {
        auto conn = host::db::open_sqlite(file.string());
        app::generate_demo(*conn, options);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;

    const auto size = std::filesystem::file_size(file);
    if (argc <= 2) std::filesystem::remove(file);

    const double n = static_cast<double>(records);
    std::printf("records:          %zu\n", records);
    std::printf("generate only:    %.2f s (%.0f rows/s)\n", gen_took.count(), n / gen_took.count());
    std::printf("generate + load:  %.2f s (%.0f rows/s), indexes included\n", took.count(),
                n / took.count());
    std::printf("database file:    %.1f MB\n", static_cast<double>(size) / 1e6);
    return 0;
}
