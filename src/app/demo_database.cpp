#include "app/demo_database.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>

#include "host/db/connection.h"

namespace app {
namespace {

void remove_quietly(const std::filesystem::path& p) {
    std::error_code ignored;
    std::filesystem::remove(p, ignored);
}

// SQLite's companion files of a database file.
void remove_with_companions(const std::filesystem::path& p) {
    remove_quietly(p);
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        remove_quietly(std::filesystem::path(p.string() + suffix));
    }
}

}  // namespace

std::filesystem::path default_demo_db_path() {
    std::filesystem::path base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && *xdg != '\0' && std::filesystem::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || *home == '\0') {
            throw std::runtime_error(
                "cannot place the demo database: neither XDG_DATA_HOME nor HOME is set");
        }
        base = std::filesystem::path(home) / ".local" / "share";
    }
    return base / "trq05" / "demo.sqlite";
}

bool ensure_demo_database(const std::filesystem::path& path, std::size_t records) {
    DemoOptions options;
    options.records = records;
    return ensure_demo_database(path, options);
}

bool ensure_demo_database(const std::filesystem::path& path, const DemoOptions& options) {
    if (std::filesystem::exists(path)) return false;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());

    // Unique per process, so that two programs starting at once do not share a half-built file.
    std::filesystem::path temp = path;
    temp += ".building-" + std::to_string(::getpid());
    remove_with_companions(temp);
    try {
        {
            auto conn = host::db::open_sqlite(temp.string());
            generate_demo(*conn, options);
        }  // closed, so that nothing of it is left in a journal
        if (std::filesystem::exists(path)) {
            // Another process finished first; keep its database.
            remove_with_companions(temp);
            return false;
        }
        std::filesystem::rename(temp, path);
    } catch (...) {
        remove_with_companions(temp);
        throw;
    }
    return true;
}

}  // namespace app
