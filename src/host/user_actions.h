#pragma once

// The one road for a person's input. The desktop view, the headless front end and the tests all
// act through these functions, which do what the runtime does when a person acts, and then raise
// the control's event. An action the runtime would not allow throws ActionRefused and changes
// nothing. No exception of an event script leaves an event: it is reported and the program
// goes on.

#include <functional>
#include <string>
#include <string_view>

#include "host/control.h"

namespace host {

// Checkbox: toggles it, then raises `clicked`. Automatic radio button: checks it and clears the
// other radio buttons of its parent, then raises `clicked`. Other controls: raises `clicked`.
void click(Control& c);
// Edit or edit mask: selects all and types `text` (a mask drops what it does not admit), then
// leaves the control: `modified` is raised only when the content changed.
void type_and_leave(Control& c, std::string_view text);
// Drop-down list or list box: selects the entry with exactly this text, then raises
// `selectionchanged` with its position.
void pick(Control& c, std::string_view entry);
void pick_index(Control& c, long index);
// Gives the control the focus: raises `getfocus`.
void focus(Control& c);

// Where run-time errors of event scripts go (default: standard error).
using ScriptErrorHandler = std::function<void(const std::string& message)>;
void set_script_error_handler(ScriptErrorHandler handler);
// Runs one event script at the event boundary.
void raise_event(const std::function<void()>& script);

}  // namespace host
