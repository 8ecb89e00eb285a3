#include "host/controls.h"

namespace host {

void Line::set_points(int begin_x, int begin_y, int end_x, int end_y) {
    m_bx = begin_x;
    m_by = begin_y;
    m_ex = end_x;
    m_ey = end_y;
    changed(Property::position);
}

void CheckBox::set_checked(bool v) {
    m_checked = v;
    changed(Property::checked);
}

void RadioButton::set_checked(bool v) {
    m_checked = v;
    changed(Property::checked);
}

EditMask::EditMask(UserObject* parent, std::string name, std::string mask)
    : Control(parent, ControlType::editmask, std::move(name)), m_mask{std::move(mask)} {}

void EditMask::set_text(std::string v) {
    Control::set_text(m_mask.accept(v));
}

long ListControl::additem(std::string item) {
    m_items.push_back(std::move(item));
    changed(Property::items);
    return item_count();
}

long ListControl::selectitem(long i) {
    if (i < 0 || i > item_count()) return -1;
    m_selected = i;
    set_text_silently(item_text(i));
    changed(Property::selection);
    return i;
}

long ListControl::finditem(const std::string& text, long start) const {
    const long n = item_count();
    if (n == 0) return 0;
    if (start < 1 || start > n) start = 1;
    for (long k = 0; k < n; ++k) {
        const long i = (start - 1 + k) % n + 1;
        if (m_items[static_cast<std::size_t>(i - 1)] == text) return i;
    }
    return 0;
}

void ListControl::reset_items() {
    m_items.clear();
    m_selected = 0;
    set_text_silently({});
    changed(Property::items);
}

std::string ListControl::item_text(long i) const {
    if (i < 1 || i > item_count()) return {};
    return m_items[static_cast<std::size_t>(i - 1)];
}

void ListControl::set_text(std::string v) {
    const long i = finditem(v, 1);
    selectitem(i);
}

}  // namespace host
