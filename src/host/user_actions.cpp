#include "host/user_actions.h"

#include <iostream>

#include "host/controls.h"
#include "host/errors.h"

namespace host {

namespace {

void report_to_stderr(const std::string& message) {
    std::cerr << "trq05: script error: " << message << '\n';
}

ScriptErrorHandler& error_handler() {
    static ScriptErrorHandler handler = report_to_stderr;
    return handler;
}

std::string describe(const Control& c) {
    return std::string{type_name(c.type_of())} + " " + c.name();
}

void require_usable(const Control& c) {
    if (!c.shown()) throw ActionRefused(describe(c) + " is not visible and cannot be used");
    if (!c.usable()) throw ActionRefused(describe(c) + " is disabled and cannot be used");
}

ListControl& as_list(Control& c) {
    auto* list = dynamic_cast<ListControl*>(&c);
    if (list == nullptr) throw ActionRefused(describe(c) + " has no entries to pick");
    return *list;
}

}  // namespace

void set_script_error_handler(ScriptErrorHandler handler) {
    error_handler() = handler ? std::move(handler) : report_to_stderr;
}

void raise_event(const std::function<void()>& script) {
    if (!script) return;
    try {
        script();
    } catch (const std::exception& e) {
        error_handler()(e.what());
    } catch (...) {
        error_handler()("unknown error in an event script");
    }
}

void click(Control& c) {
    require_usable(c);
    if (auto* box = dynamic_cast<CheckBox*>(&c)) {
        box->set_checked(!box->checked());
    } else if (auto* radio = dynamic_cast<RadioButton*>(&c); radio != nullptr && radio->automatic) {
        if (radio->parent() != nullptr) {
            for (Control* sibling : radio->parent()->controls()) {
                auto* other = dynamic_cast<RadioButton*>(sibling);
                if (other != nullptr && other != radio && other->checked())
                    other->set_checked(false);
            }
        }
        radio->set_checked(true);
    }
    raise_event(c.on_clicked);
}

void type_and_leave(Control& c, std::string_view text) {
    const auto t = c.type_of();
    if (t != ControlType::singlelineedit && t != ControlType::multilineedit &&
        t != ControlType::editmask) {
        throw ActionRefused(describe(c) + " does not take typed text");
    }
    require_usable(c);
    const std::string before = c.text();
    c.set_text(std::string{text});  // an edit mask keeps only what its mask admits
    if (c.text() != before) raise_event(c.on_modified);
}

void pick_index(Control& c, long index) {
    ListControl& list = as_list(c);
    require_usable(c);
    if (index < 1 || index > list.item_count()) {
        throw ActionRefused(describe(c) + " has no entry " + std::to_string(index));
    }
    list.selectitem(index);
    const int i = static_cast<int>(index);
    raise_event([&] {
        if (c.on_selectionchanged) c.on_selectionchanged(i);
    });
}

void pick(Control& c, std::string_view entry) {
    ListControl& list = as_list(c);
    const long i = list.finditem(std::string{entry}, 1);
    if (i <= 0) throw ActionRefused(describe(c) + " has no entry \"" + std::string{entry} + "\"");
    pick_index(c, i);
}

void focus(Control& c) {
    require_usable(c);
    raise_event(c.on_getfocus);
}

}  // namespace host
