#pragma once

// The demo database the program opens when it is given no other: an SQLite file of demo
// records in the user's data folder.

#include <cstddef>
#include <filesystem>

#include "app/demo_data.h"

namespace app {

// $XDG_DATA_HOME/trq05/demo.sqlite, or $HOME/.local/share/trq05/demo.sqlite when
// XDG_DATA_HOME is unset, empty or relative. Throws std::runtime_error when HOME is unset too.
[[nodiscard]] std::filesystem::path default_demo_db_path();

// When `path` does not exist, creates its folder and the database with demo records. The
// database is built in a temporary file beside it and renamed into place once complete, so
// `path` never names a half-filled database. Returns whether it built one.
bool ensure_demo_database(const std::filesystem::path& path, std::size_t records = 5000);
bool ensure_demo_database(const std::filesystem::path& path, const DemoOptions& options);

}  // namespace app
