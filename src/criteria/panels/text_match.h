#pragma once

#include <string_view>

#include "criteria/uo_find_parent.h"

namespace criteria {

// What one text-match panel is about: its item, its label, the column its fragment tests and a
// few layout units of vertical offset.
struct TextMatchSpec {
    std::string_view class_name;
    std::string_view item_name;
    std::string_view label;
    std::string_view column;
    int d;
};

// A panel that compares a text column with a typed value: equal to it, or, with the wildcard
// box ticked, containing it ("%" and "_" keep their LIKE meaning).
class text_match_panel : public uo_find_parent {
  public:
    text_match_panel(host::UserObject* parent, const TextMatchSpec& spec);

    void uo_setvalue();
    [[nodiscard]] std::string_view class_name() const override { return m_spec.class_name; }

    host::CheckBox cbx_like{this, "cbx_like"};
    host::StaticText st_2{this, "st_2"};
    host::SingleLineEdit sle_value{this, "sle_value"};

  private:
    const TextMatchSpec& m_spec;
};

#define TRQ05_TEXT_MATCH_PANEL(cls)                       \
    class cls final : public text_match_panel {           \
      public:                                             \
        explicit cls(host::UserObject* parent = nullptr); \
    };

TRQ05_TEXT_MATCH_PANEL(uo_05_search_jbxx_name)
TRQ05_TEXT_MATCH_PANEL(uo_05_search_jbxx_gzdw)
TRQ05_TEXT_MATCH_PANEL(uo_05_search_jbxx_sfzh)
TRQ05_TEXT_MATCH_PANEL(uo_05_search_jbxx_fczh)
TRQ05_TEXT_MATCH_PANEL(uo_05_search_jbxx_jtzz)
TRQ05_TEXT_MATCH_PANEL(uo_05_search_jbxx_flbh)
TRQ05_TEXT_MATCH_PANEL(uo_05_search_jbxx_name_po)
TRQ05_TEXT_MATCH_PANEL(uo_05_search_jbxx_sfzh_po)
TRQ05_TEXT_MATCH_PANEL(uo_05_search_jbxx_jtzz_po)
TRQ05_TEXT_MATCH_PANEL(uo_05_search_jbxx_gzdw_po)
TRQ05_TEXT_MATCH_PANEL(uo_05_search_jbxx_fczh_po)

#undef TRQ05_TEXT_MATCH_PANEL

}  // namespace criteria
