#pragma once

#include <memory>
#include <string_view>

#include "criteria/uo_find_parent.h"

namespace criteria {

struct MonthRangeSpec {
    std::string_view class_name;
    std::string_view item_name;
    std::string_view label;
    std::string_view column;
    bool not_retired_box;  // the retirement panels offer "not retired"
};

// A panel that limits a date column to the months from a start month through an end month; the
// retirement panels also offer the records without a retirement date.
class month_range_panel : public uo_find_parent {
  public:
    month_range_panel(host::UserObject* parent, const MonthRangeSpec& spec);

    void of_setvalue();
    [[nodiscard]] std::string_view class_name() const override { return m_spec.class_name; }

    host::StaticText st_2{this, "st_2"};
    host::EditMask em_1{this, "em_1", "yyyy年mm月"};
    host::StaticText st_1{this, "st_1"};
    host::EditMask em_2{this, "em_2", "yyyy年mm月"};
    host::StaticText st_3{this, "st_3"};

  protected:
    // The retirement panels create cbx_1 after st_3 and hand it over here.
    void add_not_retired(host::CheckBox& cbx_1);

  private:
    const MonthRangeSpec& m_spec;
    host::CheckBox* m_not_retired = nullptr;
};

class uo_05_search_jbxx_gzsj final : public month_range_panel {
  public:
    explicit uo_05_search_jbxx_gzsj(host::UserObject* parent = nullptr);
};

class uo_05_search_jbxx_gzsj_po final : public month_range_panel {
  public:
    explicit uo_05_search_jbxx_gzsj_po(host::UserObject* parent = nullptr);
};

class uo_05_search_jbxx_txsj final : public month_range_panel {
  public:
    explicit uo_05_search_jbxx_txsj(host::UserObject* parent = nullptr);
    host::CheckBox cbx_1{this, "cbx_1"};
};

class uo_05_search_jbxx_txsj_po final : public month_range_panel {
  public:
    explicit uo_05_search_jbxx_txsj_po(host::UserObject* parent = nullptr);
    host::CheckBox cbx_1{this, "cbx_1"};
};

}  // namespace criteria
