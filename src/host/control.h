#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// Run-time types of the objects the runtime knows (the answer of `typeof`).
enum class ControlType {
    statictext,
    line,
    checkbox,
    radiobutton,
    singlelineedit,
    multilineedit,
    editmask,
    dropdownlistbox,
    listbox,
    groupbox,
    picturebutton,
    datagrid,
    userobject,
    window,
};

std::string_view type_name(ControlType t);

// Colours are whole numbers in the runtime's encoding (rgb: red + 256 green + 65536 blue);
// a null colour is possible when a script assigns one.
using Colour = std::optional<std::int64_t>;

enum class Property {
    tag,
    textcolor,
    text,
    visible,
    enabled,
    checked,
    position,
    size,
    backcolor,
    items,
    selection
};

class UserObject;

// A control: the properties scripts read and write, a parent, and the events a person's input
// raises. A script's own property write raises no event; it only tells the view (the observer),
// so that the screen follows at once.
class Control {
  public:
    Control(UserObject* parent, ControlType type, std::string name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    [[nodiscard]] ControlType type_of() const { return m_type; }
    [[nodiscard]] const std::string& name() const { return m_name; }
    // The name the owner gives the control (a panel placed as `uo_3` keeps its class name too).
    void set_name(std::string name) { m_name = std::move(name); }
    [[nodiscard]] UserObject* parent() const { return m_parent; }

    [[nodiscard]] const std::string& tag() const { return m_tag; }
    void set_tag(std::string v);
    [[nodiscard]] const std::string& text() const { return m_text; }
    virtual void set_text(std::string v);
    [[nodiscard]] bool visible() const { return m_visible; }
    void set_visible(bool v);
    [[nodiscard]] bool enabled() const { return m_enabled; }
    void set_enabled(bool v);
    [[nodiscard]] int x() const { return m_x; }
    [[nodiscard]] int y() const { return m_y; }
    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }
    void move(int x, int y);
    void resize(int width, int height);
    void set_x(int v) { move(v, m_y); }
    void set_y(int v) { move(m_x, v); }
    void set_width(int v) { resize(v, m_height); }
    void set_height(int v) { resize(m_width, v); }
    [[nodiscard]] const Colour& backcolor() const { return m_backcolor; }
    void set_backcolor(Colour v);
    [[nodiscard]] const Colour& textcolor() const { return m_textcolor; }
    void set_textcolor(Colour v);

    // Shown on screen: this control and every parent up to the top are visible.
    [[nodiscard]] bool shown() const;
    // Takes input: this control and every parent up to the top are enabled.
    [[nodiscard]] bool usable() const;

    // The constructor event, run once after the whole object tree is created. The default runs
    // `on_constructor`; user objects with an ancestor script override it.
    virtual void constructor();

    // Scripts of the control's events. Set once, by the object that owns the control.
    std::function<void()> on_constructor;
    std::function<void()> on_clicked;
    std::function<void()> on_modified;
    std::function<void(int)> on_selectionchanged;
    std::function<void()> on_getfocus;

    // The view's hook: called after every property write.
    std::function<void(Control&, Property)> observer;

  protected:
    void changed(Property p);
    void set_text_silently(std::string v) { m_text = std::move(v); }

  private:
    UserObject* m_parent;
    ControlType m_type;
    std::string m_name;
    std::string m_tag;
    std::string m_text;
    bool m_visible = true;
    bool m_enabled = true;
    int m_x = 0;
    int m_y = 0;
    int m_width = 0;
    int m_height = 0;
    Colour m_backcolor;
    Colour m_textcolor;
};

// A user object (and, later, a window): a control that owns an ordered, 1-based control list.
// Controls declared as members register themselves in declaration order, so an ancestor's
// controls come first, then the derived class's own.
class UserObject : public Control {
  public:
    explicit UserObject(UserObject* parent, std::string name,
                        ControlType type = ControlType::userobject);

    [[nodiscard]] std::size_t control_count() const { return m_controls.size(); }
    // Entry i (1-based) of the control list; an index outside the list is a run-time error.
    [[nodiscard]] Control& control(long i) const;
    [[nodiscard]] const std::vector<Control*>& controls() const { return m_controls; }
    // The control of that name among this object's controls, nullptr when there is none.
    [[nodiscard]] Control* find_control(std::string_view name) const;

    // The class name of the object (`uo_05_search_jbxx_name`, …).
    [[nodiscard]] virtual std::string_view class_name() const { return "userobject"; }

  private:
    friend class Control;
    std::vector<Control*> m_controls;
};

// Runs the constructor events of an object tree: every control of a user object first, in
// control-list order, then the object's own. The runtime does this once after creating it.
void run_constructors(Control& root);

}  // namespace host
