#include "host/control.h"

#include <algorithm>

#include "host/errors.h"

namespace host {

std::string_view type_name(ControlType t) {
    switch (t) {
        case ControlType::statictext:
            return "statictext";
        case ControlType::line:
            return "line";
        case ControlType::checkbox:
            return "checkbox";
        case ControlType::radiobutton:
            return "radiobutton";
        case ControlType::singlelineedit:
            return "singlelineedit";
        case ControlType::multilineedit:
            return "multilineedit";
        case ControlType::editmask:
            return "editmask";
        case ControlType::dropdownlistbox:
            return "dropdownlistbox";
        case ControlType::listbox:
            return "listbox";
        case ControlType::groupbox:
            return "groupbox";
        case ControlType::picturebutton:
            return "picturebutton";
        case ControlType::datagrid:
            return "datagrid";
        case ControlType::userobject:
            return "userobject";
        case ControlType::window:
            return "window";
    }
    return "unknown";
}

Control::Control(UserObject* parent, ControlType type, std::string name)
    : m_parent{parent}, m_type{type}, m_name{std::move(name)} {
    if (m_parent != nullptr) m_parent->m_controls.push_back(this);
}

Control::~Control() {
    if (m_parent != nullptr) std::erase(m_parent->m_controls, this);
}

void Control::changed(Property p) {
    if (observer) observer(*this, p);
}

void Control::set_tag(std::string v) {
    m_tag = std::move(v);
    changed(Property::tag);
}

void Control::set_text(std::string v) {
    m_text = std::move(v);
    changed(Property::text);
}

void Control::set_visible(bool v) {
    m_visible = v;
    changed(Property::visible);
}

void Control::set_enabled(bool v) {
    m_enabled = v;
    changed(Property::enabled);
}

void Control::move(int x, int y) {
    m_x = x;
    m_y = y;
    changed(Property::position);
}

void Control::resize(int width, int height) {
    m_width = width;
    m_height = height;
    changed(Property::size);
}

void Control::set_backcolor(Colour v) {
    m_backcolor = v;
    changed(Property::backcolor);
}

void Control::set_textcolor(Colour v) {
    m_textcolor = v;
    changed(Property::textcolor);
}

bool Control::shown() const {
    for (const Control* c = this; c != nullptr; c = c->parent()) {
        if (!c->visible()) return false;
    }
    return true;
}

bool Control::usable() const {
    for (const Control* c = this; c != nullptr; c = c->parent()) {
        if (!c->enabled()) return false;
    }
    return true;
}

void Control::constructor() {
    if (on_constructor) on_constructor();
}

UserObject::UserObject(UserObject* parent, std::string name, ControlType type)
    : Control(parent, type, std::move(name)) {}

Control& UserObject::control(long i) const {
    if (i < 1 || static_cast<std::size_t>(i) > m_controls.size()) {
        throw RuntimeError("Array bounds exceeded: control " + std::to_string(i) + " of " +
                           std::to_string(m_controls.size()) + " in " + name());
    }
    return *m_controls[static_cast<std::size_t>(i - 1)];
}

Control* UserObject::find_control(std::string_view name) const {
    const auto it = std::find_if(m_controls.begin(), m_controls.end(),
                                 [&](const Control* c) { return c->name() == name; });
    return it == m_controls.end() ? nullptr : *it;
}

void run_constructors(Control& root) {
    if (auto* uo = dynamic_cast<UserObject*>(&root)) {
        // Copy: a constructor script may not add controls, but iterating a copy is safe anyway.
        const auto children = uo->controls();
        for (Control* c : children) run_constructors(*c);
    }
    root.constructor();
}

}  // namespace host
