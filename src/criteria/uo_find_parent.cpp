#include "criteria/uo_find_parent.h"

#include "app/globals.h"
#include "host/services.h"

namespace criteria {

namespace {
// A typed value placed between single quotes has its quotes doubled, so that it stays one
// literal whatever it holds.
std::string sql_quoted_content(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char ch : value) {
        out += ch;
        if (ch == '\'') out += '\'';
    }
    return out;
}

void carrier(host::StaticText& st, std::string text, int x, int y, int width) {
    st.set_text(std::move(text));
    st.move(x, y);
    st.resize(width, 76);
    st.set_visible(false);
    st.set_backcolor(kButtonFace);
    st.set_textcolor(kWindowText);
}

void frame_line(host::Line& ln, int bx, int by, int ex, int ey) {
    ln.set_points(bx, by, ex, ey);
    ln.set_textcolor(kWindowText);
}
}  // namespace

uo_find_parent::uo_find_parent(host::UserObject* parent, std::string name, std::string item_name)
    : host::UserObject(parent, std::move(name)) {
    resize(1065, 776);
    set_backcolor(kButtonFace);
    set_tag(std::move(item_name));
    carrier(st_displayvalue, "显示值", 530, 1412, 402);
    carrier(st_sqlwhere, "实际值", 530, 1528, 402);
    carrier(st_btrue, "是否有效（1，有效，0，无效）", 530, 1656, 782);
    carrier(st_temp1, "", 1531, 1376, 402);
    carrier(st_temp2, "", 1531, 1492, 402);
    carrier(st_temp3, "", 1536, 1644, 402);
    frame_line(ln_1, 23, 96, 690, 96);
    frame_line(ln_2, 23, 532, 690, 532);
    frame_line(ln_3, 23, 80, 23, 568);
    frame_line(ln_4, 690, 80, 690, 568);
}

host::Colour uo_find_parent::window_backcolor() {
    return host::colour_from(app::gl_windowbackcolor);
}

void uo_find_parent::constructor() {
    move(0, 0);
    set_backcolor(window_backcolor());
    ln_1.set_visible(false);
    ln_2.set_visible(false);
    ln_3.set_visible(false);
    ln_4.set_visible(false);
}

void uo_find_parent::write_text_condition(std::string_view column, std::string_view value,
                                          bool contains) {
    const std::string v = host::trim(value);
    if (v.empty()) {
        write_flag("0");
        return;
    }
    write_flag("1");
    if (contains) {
        write_display("包含" + v);
        write_sql(std::string{column} + " like  '%" + sql_quoted_content(v) + "%'");
    } else {
        write_display("等于" + v);
        write_sql(std::string{column} + " ='" + sql_quoted_content(v) + "'");
    }
}

void uo_find_parent::label_like(host::Control& c, std::string text, int x, int y, int width,
                                int height) {
    c.set_text(std::move(text));
    c.move(x, y);
    c.resize(width, height);
    c.set_backcolor(kButtonFace);
    c.set_textcolor(kWindowText);
    c.on_constructor = [&c] { c.set_backcolor(window_backcolor()); };
}

}  // namespace criteria
