#include "criteria/panels/text_match.h"

namespace criteria {

text_match_panel::text_match_panel(host::UserObject* parent, const TextMatchSpec& spec)
    : uo_find_parent(parent, std::string{spec.class_name}, std::string{spec.item_name}),
      m_spec{spec} {
    resize(745, 564);
    label_like(cbx_like, "使用通配符", 27, 324 + spec.d, 402, 60);
    label_like(st_2, std::string{spec.label}, 27, 44 + spec.d, 402, 48);
    sle_value.move(27, 168 + spec.d);
    sle_value.resize(663, 84);
    sle_value.set_textcolor(kWindowText);

    cbx_like.on_clicked = [this] { uo_setvalue(); };
    sle_value.on_modified = [this] { uo_setvalue(); };
}

void text_match_panel::uo_setvalue() {
    write_text_condition(m_spec.column, sle_value.text(), cbx_like.checked());
}

namespace {
// class, item name, label, column, vertical offset
constexpr TextMatchSpec kName{"uo_05_search_jbxx_name", "姓名", "职工姓名：", "姓名", 4};
constexpr TextMatchSpec kGzdw{"uo_05_search_jbxx_gzdw", "工作单位", "工作单位：", "工作单位", 8};
constexpr TextMatchSpec kSfzh{"uo_05_search_jbxx_sfzh", "身份证号", "身份证号：", "身份证号", 0};
constexpr TextMatchSpec kFczh{"uo_05_search_jbxx_fczh", "房产证号", "房产证号：", "房产证号", 16};
constexpr TextMatchSpec kJtzz{"uo_05_search_jbxx_jtzz", "家庭住址", "家庭住址：", "家庭住址", 4};
constexpr TextMatchSpec kFlbh{"uo_05_search_jbxx_flbh", "分类编号", "分类编号：", "分类编号", 16};
constexpr TextMatchSpec kNamePo{"uo_05_search_jbxx_name_po", "姓名", "配偶姓名：", "姓名_配偶", 4};
constexpr TextMatchSpec kSfzhPo{"uo_05_search_jbxx_sfzh_po", "身份证号", "身份证号：",
                                "身份证号_配偶", 0};
constexpr TextMatchSpec kJtzzPo{"uo_05_search_jbxx_jtzz_po", "家庭住址", "家庭住址：",
                                "家庭住址_配偶", 4};
constexpr TextMatchSpec kGzdwPo{"uo_05_search_jbxx_gzdw_po", "工作单位", "工作单位：",
                                "工作单位_配偶", 8};
constexpr TextMatchSpec kFczhPo{"uo_05_search_jbxx_fczh_po", "房产证号", "房产证号：",
                                "房产证号_配偶", 16};
}  // namespace

uo_05_search_jbxx_name::uo_05_search_jbxx_name(host::UserObject* p) : text_match_panel(p, kName) {}
uo_05_search_jbxx_gzdw::uo_05_search_jbxx_gzdw(host::UserObject* p) : text_match_panel(p, kGzdw) {}
uo_05_search_jbxx_sfzh::uo_05_search_jbxx_sfzh(host::UserObject* p) : text_match_panel(p, kSfzh) {}
uo_05_search_jbxx_fczh::uo_05_search_jbxx_fczh(host::UserObject* p) : text_match_panel(p, kFczh) {}
uo_05_search_jbxx_jtzz::uo_05_search_jbxx_jtzz(host::UserObject* p) : text_match_panel(p, kJtzz) {}
uo_05_search_jbxx_flbh::uo_05_search_jbxx_flbh(host::UserObject* p) : text_match_panel(p, kFlbh) {}
uo_05_search_jbxx_name_po::uo_05_search_jbxx_name_po(host::UserObject* p)
    : text_match_panel(p, kNamePo) {}
uo_05_search_jbxx_sfzh_po::uo_05_search_jbxx_sfzh_po(host::UserObject* p)
    : text_match_panel(p, kSfzhPo) {}
uo_05_search_jbxx_jtzz_po::uo_05_search_jbxx_jtzz_po(host::UserObject* p)
    : text_match_panel(p, kJtzzPo) {}
uo_05_search_jbxx_gzdw_po::uo_05_search_jbxx_gzdw_po(host::UserObject* p)
    : text_match_panel(p, kGzdwPo) {}
uo_05_search_jbxx_fczh_po::uo_05_search_jbxx_fczh_po(host::UserObject* p)
    : text_match_panel(p, kFczhPo) {}

}  // namespace criteria
