#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/control.h"
#include "host/date.h"
#include "host/edit_mask.h"

namespace host {

class StaticText final : public Control {
  public:
    StaticText(UserObject* parent, std::string name)
        : Control(parent, ControlType::statictext, std::move(name)) {}
};

class GroupBox final : public Control {
  public:
    GroupBox(UserObject* parent, std::string name)
        : Control(parent, ControlType::groupbox, std::move(name)) {}
};

// A straight line between two points of its parent.
class Line final : public Control {
  public:
    Line(UserObject* parent, std::string name)
        : Control(parent, ControlType::line, std::move(name)) {}
    void set_points(int begin_x, int begin_y, int end_x, int end_y);
    [[nodiscard]] int begin_x() const { return m_bx; }
    [[nodiscard]] int begin_y() const { return m_by; }
    [[nodiscard]] int end_x() const { return m_ex; }
    [[nodiscard]] int end_y() const { return m_ey; }
    int thickness = 4;

  private:
    int m_bx = 0, m_by = 0, m_ex = 0, m_ey = 0;
};

class CheckBox final : public Control {
  public:
    CheckBox(UserObject* parent, std::string name)
        : Control(parent, ControlType::checkbox, std::move(name)) {}
    [[nodiscard]] bool checked() const { return m_checked; }
    void set_checked(bool v);

  private:
    bool m_checked = false;
};

class RadioButton final : public Control {
  public:
    RadioButton(UserObject* parent, std::string name)
        : Control(parent, ControlType::radiobutton, std::move(name)) {}
    [[nodiscard]] bool checked() const { return m_checked; }
    void set_checked(bool v);
    // An automatic button is checked by a click, which clears the other radio buttons of the
    // same parent; a click on one that is not automatic only raises `clicked`.
    bool automatic = true;

  private:
    bool m_checked = false;
};

class SingleLineEdit final : public Control {
  public:
    SingleLineEdit(UserObject* parent, std::string name)
        : Control(parent, ControlType::singlelineedit, std::move(name)) {}
};

class MultiLineEdit final : public Control {
  public:
    MultiLineEdit(UserObject* parent, std::string name)
        : Control(parent, ControlType::multilineedit, std::move(name)) {}
};

// An edit whose input is shaped by a mask (see edit_mask.h). `text` is what the field holds.
class EditMask final : public Control {
  public:
    EditMask(UserObject* parent, std::string name, std::string mask);
    [[nodiscard]] const Mask& mask() const { return m_mask; }
    // Replaces the content by what the mask makes of typed characters (a script's write).
    void set_text(std::string v) override;
    // The content read as a date: the null date when it does not hold a complete, real date.
    [[nodiscard]] std::optional<Date> getdata_date() const { return m_mask.date_of(text()); }

  private:
    Mask m_mask;
};

// The list part shared by the drop-down list and the list box: items, the selected entry
// (1-based; 0 = none) and the runtime's list functions.
class ListControl : public Control {
  public:
    using Control::Control;
    [[nodiscard]] const std::vector<std::string>& items() const { return m_items; }
    [[nodiscard]] long item_count() const { return static_cast<long>(m_items.size()); }
    // Appends an entry and returns its position.
    long additem(std::string item);
    // Selects entry i (0 selects none); returns i, or -1 when i lies outside the list.
    long selectitem(long i);
    // The first entry at or after `start` whose text equals `text`; 0 when none. Entries before
    // `start` are searched after the end is reached, as a list box does.
    [[nodiscard]] long finditem(const std::string& text, long start) const;
    [[nodiscard]] long selectedindex() const { return m_selected; }
    void reset_items();
    // Text of entry i; "" outside the list.
    [[nodiscard]] std::string item_text(long i) const;
    void set_text(std::string v) override;  // a list's text follows its selection

  private:
    std::vector<std::string> m_items;
    long m_selected = 0;
};

class DropDownListBox final : public ListControl {
  public:
    DropDownListBox(UserObject* parent, std::string name)
        : ListControl(parent, ControlType::dropdownlistbox, std::move(name)) {}
};

class ListBox final : public ListControl {
  public:
    ListBox(UserObject* parent, std::string name)
        : ListControl(parent, ControlType::listbox, std::move(name)) {}
};

}  // namespace host
