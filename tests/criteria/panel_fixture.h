#pragma once

#include <memory>
#include <string>

#include "host/control.h"
#include "host/errors.h"

namespace testing_support {

// A panel or container created and constructed as its container creates one.
template <class T>
std::unique_ptr<T> make() {
    auto p = std::make_unique<T>();
    host::run_constructors(*p);
    return p;
}

struct Condition {
    std::string display;
    std::string sql;
    std::string flag;
    friend bool operator==(const Condition&, const Condition&) = default;
};

inline Condition condition(const host::UserObject& panel) {
    return {panel.control(1).tag(), panel.control(2).tag(), panel.control(3).tag()};
}

inline host::Control& ctl(const host::UserObject& o, const char* name) {
    host::Control* c = o.find_control(name);
    if (c == nullptr) throw host::RuntimeError(std::string{"no control "} + name);
    return *c;
}

}  // namespace testing_support

inline std::ostream& operator<<(std::ostream& os, const testing_support::Condition& c) {
    return os << "{display=\"" << c.display << "\", sql=\"" << c.sql << "\", flag=\"" << c.flag
              << "\"}";
}
