#pragma once

#include <string>
#include <string_view>

#include "host/controls.h"

namespace criteria {

// System colours of the runtime used in the design of the panels.
inline constexpr std::int64_t kButtonFace = 67108864;
inline constexpr std::int64_t kWindowText = 33554432;

// The ancestor of every criterion panel. A panel keeps its condition in the `tag` of the first
// three entries of its control list: display value, SQL fragment and validity flag ("1" valid).
// Derived panels add their own controls after these ten, and recompute the condition in their
// set-value function whenever a person changes one of their inputs.
class uo_find_parent : public host::UserObject {
  public:
    uo_find_parent(host::UserObject* parent, std::string name, std::string item_name);

    // Move to the parent's origin, take the application background colour, hide the frame.
    void constructor() override;

    host::StaticText st_displayvalue{this, "st_displayvalue"};
    host::StaticText st_sqlwhere{this, "st_sqlwhere"};
    host::StaticText st_btrue{this, "st_btrue"};
    host::StaticText st_temp1{this, "st_temp1"};
    host::StaticText st_temp2{this, "st_temp2"};
    host::StaticText st_temp3{this, "st_temp3"};
    host::Line ln_1{this, "ln_1"};
    host::Line ln_2{this, "ln_2"};
    host::Line ln_3{this, "ln_3"};
    host::Line ln_4{this, "ln_4"};

  protected:
    // The condition is written through the control list, as the container reads it.
    void write_flag(std::string flag) { control(3).set_tag(std::move(flag)); }
    void write_display(std::string display) { control(1).set_tag(std::move(display)); }
    void write_sql(std::string sql) { control(2).set_tag(std::move(sql)); }

    // The condition of a typed or picked text: trimmed of blanks, equal to it or (contains)
    // holding it; an empty value gives no condition and leaves the last one in place.
    void write_text_condition(std::string_view column, std::string_view value, bool contains);

    // Sets up a label, checkbox or radio button of a derived panel: design look, and a
    // constructor that gives it the application background colour.
    void label_like(host::Control& c, std::string text, int x, int y, int width, int height);
    // The application background colour as the runtime stores a colour.
    static host::Colour window_backcolor();
};

}  // namespace criteria
