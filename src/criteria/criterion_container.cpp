#include "criteria/criterion_container.h"

#include "criteria/uo_find_parent.h"
#include "host/controls.h"
#include "host/errors.h"
#include "host/services.h"

namespace criteria {

criterion_container::criterion_container(host::UserObject* parent, std::string name)
    : host::UserObject(parent, std::move(name)) {
    resize(1019, 724);
    set_backcolor(kButtonFace);
    set_text("none");
}

void criterion_container::constructor() {
    of_setobjectnotvisible();
    host::UserObject::constructor();
}

void criterion_container::name_panels() {
    const auto n = static_cast<long>(control_count());
    for (long i = 1; i <= n; ++i) control(i).set_name("uo_" + std::to_string(n - i + 1));
}

void criterion_container::of_setobjectnotvisible() {
    for (long i = 1; i <= static_cast<long>(control_count()); ++i) control(i).set_visible(false);
}

host::UserObject& criterion_container::panel(long i) const {
    auto* p = dynamic_cast<host::UserObject*>(&control(i));
    if (p == nullptr) {
        throw host::RuntimeError("Null object reference: control " + std::to_string(i) +
                                 " is no panel");
    }
    return *p;
}

void criterion_container::of_getlastvalue(long al_i, std::string& as_disp, std::string& as_real,
                                          std::string& as_zdlx, bool& ab_bool) const {
    const host::UserObject& p = panel(al_i);
    as_disp = p.control(1).tag();
    as_real = p.control(2).tag();
    ab_bool = host::trim(p.control(3).tag()) == "1";
    as_zdlx = p.tag();
}

void criterion_container::of_reset() {
    for (long j = 1; j <= static_cast<long>(control_count()); ++j) {
        const host::UserObject& p = panel(j);
        for (long i = 1; i <= static_cast<long>(p.control_count()); ++i) {
            host::Control& x = p.control(i);
            x.set_tag("");
            switch (x.type_of()) {
                case host::ControlType::editmask:
                case host::ControlType::multilineedit:
                case host::ControlType::singlelineedit:
                    x.set_text("");
                    break;
                case host::ControlType::dropdownlistbox:
                    static_cast<host::DropDownListBox&>(x).selectitem(0);
                    break;
                case host::ControlType::checkbox:
                    static_cast<host::CheckBox&>(x).set_checked(false);
                    break;
                default:
                    break;  // labels, radio buttons, lines and the rest keep their state
            }
        }
    }
}

}  // namespace criteria
