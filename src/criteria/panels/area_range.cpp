#include "criteria/panels/area_range.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "host/services.h"

namespace criteria {

namespace {

// The comparison operators, used in the fragment as written, and the item that switches a side
// off.
constexpr std::array<std::string_view, 5> kComparisons{"<", "<=", "=", ">=", ">"};
constexpr std::string_view kSideOff = "空";

bool is_operator(std::string_view op) {
    return std::find(kComparisons.begin(), kComparisons.end(), op) != kComparisons.end();
}

bool has_digit(std::string_view s) {
    return std::any_of(s.begin(), s.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

void fill_operators(host::DropDownListBox& ddlb) {
    for (auto item : kComparisons) ddlb.additem(std::string{item});
    ddlb.additem(std::string{kSideOff});
    ddlb.set_textcolor(kWindowText);
}

struct Side {
    std::string op;
    std::string value;
    bool active;
};

}  // namespace

area_range_panel::area_range_panel(host::UserObject* parent, const AreaRangeSpec& spec)
    : uo_find_parent(parent, std::string{spec.class_name}, std::string{spec.item_name}),
      m_spec{spec} {
    resize(727, 588);
    label_like(st_2, std::string{spec.label}, 37, 52, 727, 48);
    ddlb_1.move(37, 168);
    ddlb_1.resize(242, 424);
    em_1.move(288, 168);
    em_1.resize(347, 84);
    ddlb_2.move(37, 320);
    ddlb_2.resize(242, 416);
    em_2.move(288, 320);
    em_2.resize(347, 84);
    em_1.set_textcolor(kWindowText);
    em_2.set_textcolor(kWindowText);
    em_1.set_enabled(false);
    em_2.set_enabled(false);
    fill_operators(ddlb_1);
    fill_operators(ddlb_2);
    // A side is switched on by an operator and off by "空" (or no choice); the number it holds
    // stays either way.
    for (const auto& side : {std::pair{&ddlb_1, &em_1}, std::pair{&ddlb_2, &em_2}}) {
        host::DropDownListBox* ddlb = side.first;
        host::EditMask* em = side.second;
        ddlb->on_selectionchanged = [this, ddlb, em](int) {
            em->set_enabled(!(ddlb->text() == kSideOff || ddlb->text().empty()));
            of_setvalue();
        };
        em->on_modified = [this] { of_setvalue(); };
    }
}

void area_range_panel::of_setvalue() {
    // A side takes part when its list shows a comparison operator and its number field is on.
    const Side side1{ddlb_1.text(), em_1.text(), is_operator(ddlb_1.text()) && em_1.enabled()};
    const Side side2{ddlb_2.text(), em_2.text(), is_operator(ddlb_2.text()) && em_2.enabled()};
    // No side, or a side without a number, gives no usable comparison.
    if ((!side1.active && !side2.active) || (side1.active && !has_digit(side1.value)) ||
        (side2.active && !has_digit(side2.value))) {
        write_flag("0");
        return;
    }
    const std::string column{m_spec.column};
    const auto part = [](const Side& s) {
        return s.op + host::format_number(host::to_real(s.value), "0.00");
    };
    const auto comparison = [&column](const Side& s) {
        return "(" + column + s.op + "'" + s.value + "')";
    };
    write_flag("1");
    if (side1.active && side2.active) {
        write_display(part(side1) + part(side2));
        write_sql(comparison(side1) + " and " + comparison(side2));
    } else {
        const Side& s = side1.active ? side1 : side2;
        write_display(part(s));
        write_sql(comparison(s));
    }
}

namespace {
constexpr AreaRangeSpec kZfcqzmj{"uo_05_search_jbxx_zfcqzmj", "产权证面积", "产权证面积：",
                                 "产权证面积"};
constexpr AreaRangeSpec kJzmj{"uo_05_search_jbxx_jzmjytjgt", "核定面积(含阳台及公摊)",
                              "核定面积(含阳台及公摊)：", "核定面积"};
constexpr AreaRangeSpec kZfcqzmjPo{"uo_05_search_jbxx_zfcqzmj_po", "产权证面积", "产权证面积：",
                                   "产权证面积_配偶"};
constexpr AreaRangeSpec kJzmjPo{"uo_05_search_jbxx_jzmjytjgt_po", "核定面积(含阳台及公摊)",
                                "核定面积(含阳台及公摊)：", "核定面积_配偶"};
}  // namespace

uo_05_search_jbxx_zfcqzmj::uo_05_search_jbxx_zfcqzmj(host::UserObject* p)
    : area_range_panel(p, kZfcqzmj) {}
uo_05_search_jbxx_jzmjytjgt::uo_05_search_jbxx_jzmjytjgt(host::UserObject* p)
    : area_range_panel(p, kJzmj) {}
uo_05_search_jbxx_zfcqzmj_po::uo_05_search_jbxx_zfcqzmj_po(host::UserObject* p)
    : area_range_panel(p, kZfcqzmjPo) {}
uo_05_search_jbxx_jzmjytjgt_po::uo_05_search_jbxx_jzmjytjgt_po(host::UserObject* p)
    : area_range_panel(p, kJzmjPo) {}

}  // namespace criteria
