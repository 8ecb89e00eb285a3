#pragma once

#include <string>

#include "host/control.h"

namespace criteria {

// What the two criterion containers share: one panel per search item, all stacked on the same
// spot, and the three services the search window uses over them.
class criterion_container : public host::UserObject {
  public:
    criterion_container(host::UserObject* parent, std::string name);

    // Hides every panel.
    void of_setobjectnotvisible();
    // The condition of the panel at position al_i (1-based): display value, SQL fragment, item
    // name, and whether it is valid. Reads and never changes the panel.
    void of_getlastvalue(long al_i, std::string& as_disp, std::string& as_real,
                         std::string& as_zdlx, bool& ab_bool) const;
    // Clears the condition and the inputs of every panel, calling none of their scripts.
    void of_reset();

    // The panel at position i (1-based); outside the list, or not a panel, is a run-time error.
    [[nodiscard]] host::UserObject& panel(long i) const;

    // Hides every panel, then runs the owner's part of the constructor, if any.
    void constructor() override;

  protected:
    // Gives the panels their control names: uo_N at position count − N + 1.
    void name_panels();
};

}  // namespace criteria
