#include "criteria/panels/bank.h"

#include <optional>

#include "app/globals.h"

namespace criteria {

uo_05_search_jbxx_khh::uo_05_search_jbxx_khh(host::UserObject* parent)
    : uo_find_parent(parent, "uo_05_search_jbxx_khh", "开户行") {
    resize(745, 564);
    label_like(st_2, "开户行：", 27, 60, 402, 48);
    sle_value.move(41, 176);
    sle_value.resize(667, 392);
    sle_value.set_textcolor(kWindowText);
    sle_value.on_constructor = [this] { fill_banks(); };
    sle_value.on_selectionchanged = [this](int) { uo_setvalue(); };
}

void uo_05_search_jbxx_khh::fill_banks() {
    host::Cursor g_cur{app::sqlca, "Select distinct 货币补贴开户行 from t_05_baseinfo_old "};
    g_cur.open();
    std::optional<std::string> str_tmp;
    while (app::sqlca.sqlcode() == 0) {
        g_cur.fetch_into(str_tmp);
        // A record without a bank gives a null row: no entry for it.
        if (app::sqlca.sqlcode() == 0 && str_tmp) sle_value.additem(*str_tmp);
    }
    g_cur.close();
}

// Always equality: a bank name is never a pattern.
void uo_05_search_jbxx_khh::uo_setvalue() {
    write_text_condition("货币补贴开户行", sle_value.text(), false);
}

}  // namespace criteria
