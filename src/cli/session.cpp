#include "cli/session.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "criteria/criterion_container.h"
#include "criteria/registry.h"
#include "host/controls.h"
#include "host/errors.h"
#include "host/user_actions.h"

namespace cli {

namespace {

// A reason a line could not be carried out.
class LineError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

std::string quoted(std::string_view s) {
    return "\"" + std::string{s} + "\"";
}

// Splits "WORD REST" at the first blank; REST keeps everything after that one blank.
std::pair<std::string_view, std::string_view> split_word(std::string_view s) {
    const auto blank = s.find(' ');
    if (blank == std::string_view::npos) return {s, {}};
    return {s.substr(0, blank), s.substr(blank + 1)};
}

long parse_position(std::string_view s) {
    long value = 0;
    const auto* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, value);
    if (s.empty() || ec != std::errc{} || ptr != end) {
        throw LineError("a position must be a whole number, not " + quoted(s));
    }
    return value;
}

}  // namespace

Session::Session(std::ostream& out) : m_out{out} {}
Session::~Session() = default;

bool Session::run(std::istream& script) {
    bool ok = true;
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ok = run_line(line, number) && ok;
    }
    return ok;
}

bool Session::run_line(std::string_view line, int number) {
    if (line.empty() || line.front() == '#') return true;
    // Errors of the event scripts this line sets off are failures of the line.
    std::vector<std::string> script_errors;
    host::set_script_error_handler([&](const std::string& m) { script_errors.push_back(m); });
    std::string failure;
    try {
        const auto [word, rest] = split_word(line);
        carry_out(word, rest);
    } catch (const std::exception& e) {
        failure = e.what();
    }
    host::set_script_error_handler(nullptr);
    if (failure.empty() && !script_errors.empty())
        failure = "script error: " + script_errors.front();
    if (failure.empty()) return true;
    m_out << "error: line " << number << ": " << failure << '\n';
    return false;
}

void Session::carry_out(std::string_view word, std::string_view rest) {
    if (word == "panel") {
        create(rest, false);
    } else if (word == "container") {
        create(rest, true);
    } else if (word == "type") {
        const auto [name, text] = split_word(rest);
        host::type_and_leave(control_named(name), text);
    } else if (word == "pick") {
        const auto [name, entry] = split_word(rest);
        host::pick(control_named(name), entry);
    } else if (word == "click") {
        host::click(control_named(rest));
    } else if (word == "show") {
        const host::UserObject& p = current_panel();
        m_out << "display: " << p.control(1).tag() << '\n'
              << "sql: " << p.control(2).tag() << '\n'
              << "flag: " << p.control(3).tag() << '\n';
    } else if (word == "reset") {
        current_container().of_reset();
    } else if (word == "value") {
        std::string disp, real, item;
        bool valid = false;
        current_container().of_getlastvalue(parse_position(rest), disp, real, item, valid);
        m_out << "display: " << disp << '\n'
              << "sql: " << real << '\n'
              << "item: " << item << '\n'
              << "valid: " << (valid ? "true" : "false") << '\n';
    } else if (word == "panel-at") {
        // As the search window shows an item: every panel hidden, then this one shown.
        criteria::criterion_container& c = current_container();
        host::UserObject& panel = c.panel(parse_position(rest));
        c.of_setobjectnotvisible();
        panel.set_visible(true);
        m_panel = &panel;
    } else if (word == "list") {
        auto* list = dynamic_cast<host::ListControl*>(&control_named(rest));
        if (list == nullptr) throw LineError(quoted(rest) + " is not a list");
        for (const auto& item : list->items()) m_out << "entry: " << item << '\n';
    } else {
        throw LineError("unknown action " + quoted(word));
    }
}

void Session::create(std::string_view class_name, bool want_container) {
    auto object = criteria::create_object(class_name);
    auto* container = dynamic_cast<criteria::criterion_container*>(object.get());
    if (object == nullptr || (container != nullptr) != want_container) {
        throw LineError(std::string{"no "} + (want_container ? "container" : "panel") +
                        " class named " + quoted(class_name));
    }
    // The previous object goes first: a new bank panel reads the database afresh.
    m_panel = nullptr;
    m_container = nullptr;
    m_object.reset();
    host::run_constructors(*object);
    m_object = std::move(object);
    m_container = container;
    m_panel = container != nullptr ? nullptr : m_object.get();
}

host::UserObject& Session::current_panel() const {
    if (m_panel != nullptr) return *m_panel;
    if (m_container != nullptr) throw LineError("no panel chosen: use \"panel-at POSITION\" first");
    throw LineError("no panel: use \"panel CLASS\" first");
}

criteria::criterion_container& Session::current_container() const {
    if (m_container == nullptr) throw LineError("no container: use \"container CLASS\" first");
    return *m_container;
}

host::Control& Session::control_named(std::string_view name) const {
    host::UserObject& panel = current_panel();
    host::Control* c = panel.find_control(name);
    if (c == nullptr) {
        throw LineError(std::string{panel.class_name()} + " has no control " + quoted(name));
    }
    return *c;
}

}  // namespace cli
