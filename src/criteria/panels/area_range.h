#pragma once

#include <string_view>

#include "criteria/uo_find_parent.h"

namespace criteria {

struct AreaRangeSpec {
    std::string_view class_name;
    std::string_view item_name;
    std::string_view label;
    std::string_view column;
};

// A panel that compares a floor-area column with one or two numbers. Each side is an operator
// list and a number field; "空" switches a side off.
class area_range_panel : public uo_find_parent {
  public:
    area_range_panel(host::UserObject* parent, const AreaRangeSpec& spec);

    void of_setvalue();
    [[nodiscard]] std::string_view class_name() const override { return m_spec.class_name; }

    host::StaticText st_2{this, "st_2"};
    host::EditMask em_1{this, "em_1", "###.##"};
    host::DropDownListBox ddlb_1{this, "ddlb_1"};
    host::DropDownListBox ddlb_2{this, "ddlb_2"};
    host::EditMask em_2{this, "em_2", "###.##"};

  private:
    const AreaRangeSpec& m_spec;
};

class uo_05_search_jbxx_zfcqzmj final : public area_range_panel {
  public:
    explicit uo_05_search_jbxx_zfcqzmj(host::UserObject* parent = nullptr);
};

class uo_05_search_jbxx_jzmjytjgt final : public area_range_panel {
  public:
    explicit uo_05_search_jbxx_jzmjytjgt(host::UserObject* parent = nullptr);
};

class uo_05_search_jbxx_zfcqzmj_po final : public area_range_panel {
  public:
    explicit uo_05_search_jbxx_zfcqzmj_po(host::UserObject* parent = nullptr);
};

class uo_05_search_jbxx_jzmjytjgt_po final : public area_range_panel {
  public:
    explicit uo_05_search_jbxx_jzmjytjgt_po(host::UserObject* parent = nullptr);
};

}  // namespace criteria
