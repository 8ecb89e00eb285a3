#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "host/control.h"

namespace criteria {

// Creates a criterion panel or container by class name, as a container creates its panels (the
// constructor events have not run yet: host::run_constructors does that). nullptr when no class
// has that name.
[[nodiscard]] std::unique_ptr<host::UserObject> create_object(std::string_view class_name);

[[nodiscard]] const std::vector<std::string_view>& panel_class_names();
[[nodiscard]] const std::vector<std::string_view>& container_class_names();

}  // namespace criteria
