#pragma once

#include <array>
#include <string_view>

#include "criteria/uo_find_parent.h"

namespace criteria {

// One radio button of a category panel: where it stands, what it reads, and the condition it
// stands for.
struct CategoryOption {
    int x, y, width;
    std::string_view button_text;
    std::string_view display;
    std::string_view sql;
};

struct CategorySpec {
    std::string_view class_name;
    std::string_view item_name;
    std::string_view caption;
    int count;  // 3 or 4 radio buttons
    std::array<CategoryOption, 4> options;
    bool fourth_offered;  // false: the fourth button is hidden, disabled and never checked
};

// A panel whose radio buttons each stand for a ready-made predicate over the subsidy category
// code (and, for some, the monthly amount).
class category_panel : public uo_find_parent {
  public:
    category_panel(host::UserObject* parent, const CategorySpec& spec);

    void uo_setvalue();
    [[nodiscard]] std::string_view class_name() const override { return m_spec.class_name; }

    host::StaticText st_2{this, "st_2"};
    host::RadioButton rb_1{this, "rb_1"};
    host::RadioButton rb_2{this, "rb_2"};
    host::RadioButton rb_3{this, "rb_3"};

  protected:
    // Panels with four buttons create rb_4 after rb_3 and hand it over here.
    void add_fourth(host::RadioButton& rb_4);

  private:
    void set_up(host::RadioButton& rb, const CategoryOption& option);
    const CategorySpec& m_spec;
    std::array<host::RadioButton*, 4> m_buttons{};
};

class uo_05_search_jbxx_fflb final : public category_panel {
  public:
    explicit uo_05_search_jbxx_fflb(host::UserObject* parent = nullptr);
    host::RadioButton rb_4{this, "rb_4"};
};

class uo_05_search_jbxx_sblb final : public category_panel {
  public:
    explicit uo_05_search_jbxx_sblb(host::UserObject* parent = nullptr);
    host::RadioButton rb_4{this, "rb_4"};
};

class uo_05_search_jbxx_zflb final : public category_panel {
  public:
    explicit uo_05_search_jbxx_zflb(host::UserObject* parent = nullptr);
};

class uo_05_search_jbxx_zglb final : public category_panel {
  public:
    explicit uo_05_search_jbxx_zglb(host::UserObject* parent = nullptr);
};

}  // namespace criteria
