#include "criteria/panels/category.h"

namespace criteria {

category_panel::category_panel(host::UserObject* parent, const CategorySpec& spec)
    : uo_find_parent(parent, std::string{spec.class_name}, std::string{spec.item_name}),
      m_spec{spec} {
    resize(745, 564);
    label_like(st_2, std::string{spec.caption}, 27, 68, 402, 48);
    set_up(rb_1, spec.options[0]);
    set_up(rb_2, spec.options[1]);
    set_up(rb_3, spec.options[2]);
    m_buttons = {&rb_1, &rb_2, &rb_3, nullptr};
}

void category_panel::set_up(host::RadioButton& rb, const CategoryOption& option) {
    label_like(rb, std::string{option.button_text}, option.x, option.y, option.width, 60);
    rb.on_clicked = [this] { uo_setvalue(); };
}

void category_panel::add_fourth(host::RadioButton& rb_4) {
    set_up(rb_4, m_spec.options[3]);
    if (!m_spec.fourth_offered) {
        rb_4.set_visible(false);
        rb_4.set_enabled(false);
        rb_4.automatic = false;
    }
    m_buttons[3] = &rb_4;
}

void category_panel::uo_setvalue() {
    const auto n = static_cast<std::size_t>(m_spec.count);
    bool choice = false;
    for (std::size_t i = 0; i < n; ++i) choice = choice || m_buttons[i]->checked();
    if (!choice) {
        write_flag("0");
        return;
    }
    write_flag("1");
    for (std::size_t i = 0; i < n; ++i) {
        if (m_buttons[i]->checked()) {
            write_display(std::string{m_spec.options[i].display});
            write_sql(std::string{m_spec.options[i].sql});
        }
    }
}

namespace {

constexpr std::string_view kReached =
    "(领取补贴类别='TY' or 领取补贴类别='ZY' or 领取补贴类别='NY')";

constexpr CategorySpec kFflb{"uo_05_search_jbxx_fflb",
                             "发放类别",
                             "发放类别：",
                             4,
                             {{{55, 144, 576, "仅有一次性发放职工", "仅有一次性发放职工",
                                "(领取补贴类别='TN' or 领取补贴类别='TW') or ((领取补贴类别='ZN' "
                                "or 领取补贴类别='ZW') and 月领取额=0)"},
                               {55, 240, 521, "仅有按月发放职工", "仅有按月发放职工",
                                "(领取补贴类别='NN' or 领取补贴类别='NW')"},
                               {55, 328, 635, "一次性 + 按月发放", "一次性发放+按月发放",
                                "((领取补贴类别='ZN' or 领取补贴类别='ZW') and 月领取额>0)"},
                               {55, 412, 635, "已达标职工", "已达标职工", kReached}}},
                             true};

constexpr CategorySpec kSblb{
    "uo_05_search_jbxx_sblb",
    "上报类别",
    "上报类别：",
    4,
    {{{41, 144, 576, "离退休职工", "离退休职工", "(领取补贴类别='TN' or 领取补贴类别='TW')"},
      {41, 240, 576, "工龄满25年无房职工", "工龄满25年无房职工",
       "(领取补贴类别='ZN' and 月领取额= 0)"},
      {41, 328, 686, "无房新职工2004年后工作", "无房新职工2004年后工作", "( 领取补贴类别='NN'  )"},
      {41, 412, 635, "已达标职工", "已达标职工", kReached}}},
    false};

constexpr CategorySpec kZflb{"uo_05_search_jbxx_zflb",
                             "住房类别",
                             "住房类别：",
                             3,
                             {{{69, 156, 379, "已达标户", "已达标户", "领取补贴类别 like  '_Y%'"},
                               {69, 268, 466, "未达标户", "未达标户", "领取补贴类别 like  '_W%'"},
                               {69, 384, 466, "无房户", "无房户", "领取补贴类别 like  '_N%'"},
                               {}}},
                             false};

constexpr CategorySpec kZglb{
    "uo_05_search_jbxx_zglb",
    "职工类别",
    "职工类别：",
    3,
    {{{69, 152, 379, "新职工", "新职工", "领取补贴类别 like  'N%'"},
      {69, 264, 466, "在职老职工", "在职老职工", "领取补贴类别 like  'Z%'"},
      {69, 380, 466, "离/退休职工", "离/退休职工", "领取补贴类别 like  'T%'"},
      {}}},
    false};

}  // namespace

uo_05_search_jbxx_fflb::uo_05_search_jbxx_fflb(host::UserObject* p) : category_panel(p, kFflb) {
    add_fourth(rb_4);
}
uo_05_search_jbxx_sblb::uo_05_search_jbxx_sblb(host::UserObject* p) : category_panel(p, kSblb) {
    add_fourth(rb_4);
}
uo_05_search_jbxx_zflb::uo_05_search_jbxx_zflb(host::UserObject* p) : category_panel(p, kZflb) {}
uo_05_search_jbxx_zglb::uo_05_search_jbxx_zglb(host::UserObject* p) : category_panel(p, kZglb) {}

}  // namespace criteria
