#pragma once

#include <string_view>

#include "criteria/uo_find_parent.h"

namespace criteria {

// The bank of the cash subsidy: a list of the banks found in the table when the panel is
// created, compared for equality.
class uo_05_search_jbxx_khh final : public uo_find_parent {
  public:
    explicit uo_05_search_jbxx_khh(host::UserObject* parent = nullptr);

    void uo_setvalue();
    [[nodiscard]] std::string_view class_name() const override { return "uo_05_search_jbxx_khh"; }

    host::StaticText st_2{this, "st_2"};
    host::DropDownListBox sle_value{this, "sle_value"};

  private:
    void fill_banks();
};

}  // namespace criteria
