#pragma once

#include <string_view>

#include "criteria/criterion_container.h"
#include "criteria/panels/area_range.h"
#include "criteria/panels/bank.h"
#include "criteria/panels/category.h"
#include "criteria/panels/month_range.h"
#include "criteria/panels/text_match.h"

namespace criteria {

// The employee search's panels. Declared from the highest number down, so control-list
// position 1 holds uo_13 and the last position uo_1 ("姓名").
class uo_05_search_jbxx_all final : public criterion_container {
  public:
    explicit uo_05_search_jbxx_all(host::UserObject* parent = nullptr)
        : criterion_container(parent, "uo_05_search_jbxx_all") {
        name_panels();
    }
    [[nodiscard]] std::string_view class_name() const override { return "uo_05_search_jbxx_all"; }

    uo_05_search_jbxx_flbh uo_13{this};
    uo_05_search_jbxx_sblb uo_12{this};
    uo_05_search_jbxx_khh uo_11{this};
    uo_05_search_jbxx_fflb uo_10{this};
    uo_05_search_jbxx_jtzz uo_9{this};
    uo_05_search_jbxx_txsj uo_8{this};
    uo_05_search_jbxx_gzsj uo_7{this};
    uo_05_search_jbxx_jzmjytjgt uo_6{this};
    uo_05_search_jbxx_zfcqzmj uo_5{this};
    uo_05_search_jbxx_sfzh uo_4{this};
    uo_05_search_jbxx_gzdw uo_3{this};
    uo_05_search_jbxx_fczh uo_2{this};
    uo_05_search_jbxx_name uo_1{this};
};

// The spouse search's panels, over the spouse's columns.
class uo_05_search_jbxx_all_po final : public criterion_container {
  public:
    explicit uo_05_search_jbxx_all_po(host::UserObject* parent = nullptr)
        : criterion_container(parent, "uo_05_search_jbxx_all_po") {
        name_panels();
    }
    [[nodiscard]] std::string_view class_name() const override {
        return "uo_05_search_jbxx_all_po";
    }

    uo_05_search_jbxx_zfcqzmj_po uo_9{this};
    uo_05_search_jbxx_txsj_po uo_8{this};
    uo_05_search_jbxx_gzsj_po uo_7{this};
    uo_05_search_jbxx_jzmjytjgt_po uo_6{this};
    uo_05_search_jbxx_fczh_po uo_5{this};
    uo_05_search_jbxx_gzdw_po uo_4{this};
    uo_05_search_jbxx_jtzz_po uo_3{this};
    uo_05_search_jbxx_sfzh_po uo_2{this};
    uo_05_search_jbxx_name_po uo_1{this};
};

}  // namespace criteria
