#pragma once

#include <stdexcept>
#include <string>

namespace host {

// A run-time error of a script (a null object reference, an index outside a list). It ends the
// running script; the event boundary catches it and reports it, the program goes on.
class RuntimeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A person's action that the runtime does not carry out (the control is hidden or disabled, it
// takes no such input, the entry does not exist). Nothing has changed when it is thrown.
class ActionRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace host
