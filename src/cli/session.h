#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "host/control.h"

namespace criteria {
class criterion_container;
}

namespace cli {

// Runs a session script: one action a line, as a person would act on the search module's
// panels and containers, printing what it is asked to show. A line that cannot be carried out
// prints "error: line N: reason" and the run goes on.
class Session {
  public:
    explicit Session(std::ostream& out);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Runs every line; true when no line failed.
    bool run(std::istream& script);
    // Runs one line (without its line break); true when it succeeded.
    bool run_line(std::string_view line, int number);

  private:
    void carry_out(std::string_view word, std::string_view rest);
    [[nodiscard]] host::UserObject& current_panel() const;
    [[nodiscard]] criteria::criterion_container& current_container() const;
    [[nodiscard]] host::Control& control_named(std::string_view name) const;
    void create(std::string_view class_name, bool want_container);

    std::ostream& m_out;
    std::unique_ptr<host::UserObject> m_object;            // the panel or container created last
    host::UserObject* m_panel = nullptr;                   // the panel actions go to
    criteria::criterion_container* m_container = nullptr;  // set when m_object is a container
};

}  // namespace cli
