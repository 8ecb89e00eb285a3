#pragma once

// Globals of the host application that the search module reads.

#include <optional>

#include "host/services.h"
#include "host/transaction.h"

namespace app {

// Background colour of the application's windows as an RGB value; the default is the system
// button-face colour.
inline std::optional<double> gl_windowbackcolor = static_cast<double>(host::rgb(240, 240, 240));

// Where the application places a window it opens as a sheet of its frame.
inline int gi_openwindowpos = 0;

// The application's database transaction, connected before any search window is created.
inline host::Transaction sqlca;

}  // namespace app
