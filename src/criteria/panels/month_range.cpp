#include "criteria/panels/month_range.h"

#include "host/services.h"

namespace criteria {

month_range_panel::month_range_panel(host::UserObject* parent, const MonthRangeSpec& spec)
    : uo_find_parent(parent, std::string{spec.class_name}, std::string{spec.item_name}),
      m_spec{spec} {
    resize(745, 564);
    // The retirement panels stand a little higher to leave room for their box.
    const bool up = spec.not_retired_box;
    label_like(st_2, std::string{spec.label}, 27, up ? 40 : 52, 453, 48);
    label_like(st_1, "从", 69, up ? 148 : 184, 133, 48);
    label_like(st_3, "至", 69, up ? 276 : 328, 133, 48);
    em_1.move(247, up ? 136 : 172);
    em_1.resize(402, 84);
    em_2.move(247, up ? 260 : 312);
    em_2.resize(402, 84);
    em_1.set_textcolor(kWindowText);
    em_2.set_textcolor(kWindowText);

    em_1.on_modified = [this] { of_setvalue(); };
    em_2.on_modified = [this] { of_setvalue(); };
}

void month_range_panel::add_not_retired(host::CheckBox& cbx_1) {
    m_not_retired = &cbx_1;
    label_like(cbx_1, "  未离/退休", 101, 400, 494, 60);
    cbx_1.on_clicked = [this, &cbx_1] {
        const bool on = !cbx_1.checked();
        em_1.set_enabled(on);
        em_2.set_enabled(on);
        of_setvalue();
    };
}

void month_range_panel::of_setvalue() {
    const auto start = em_1.getdata_date();
    const auto end = em_2.getdata_date();
    const std::string column{m_spec.column};
    if (m_not_retired != nullptr && m_not_retired->checked()) {
        write_display("未离/退休职工");
        write_sql(column + " Is Null");
        write_flag("1");
        return;
    }
    if (!start || !end || *start > *end) {
        write_flag("0");
        return;
    }
    // Strict bounds: the day before the start month and the first day after the end month, so
    // every day of both months is inside. A bound outside the years 0001 to 9999 has no date
    // literal both databases read (and SQLite compares dates as text).
    const host::Date before = host::relative_date(*start, -1);
    const host::Date after = host::first_of_next_month(*end);
    if (before.year() < 1 || after.year() > 9999) {
        write_flag("0");
        return;
    }
    write_display(host::format_date(*start, "YYYY年MM月") + "至" +
                  host::format_date(*end, "YYYY年MM月"));
    write_sql(column + ">'" + host::format_date(before, "YYYY-MM-DD") + "' and " + column + "<'" +
              host::format_date(after, "YYYY-MM-DD") + "'");
    write_flag("1");
}

namespace {
constexpr MonthRangeSpec kGzsj{"uo_05_search_jbxx_gzsj", "参加工作时间", "参加工作时间：",
                               "参加工作时间", false};
constexpr MonthRangeSpec kGzsjPo{"uo_05_search_jbxx_gzsj_po", "参加工作时间", "参加工作时间：",
                                 "参加工作时间_配偶", false};
constexpr MonthRangeSpec kTxsj{"uo_05_search_jbxx_txsj", "离/退休时间", "离/退休时间：",
                               "离退休时间", true};
constexpr MonthRangeSpec kTxsjPo{"uo_05_search_jbxx_txsj_po", "离/退休时间", "离/退休时间：",
                                 "离退休时间_配偶", true};
}  // namespace

uo_05_search_jbxx_gzsj::uo_05_search_jbxx_gzsj(host::UserObject* p) : month_range_panel(p, kGzsj) {}
uo_05_search_jbxx_gzsj_po::uo_05_search_jbxx_gzsj_po(host::UserObject* p)
    : month_range_panel(p, kGzsjPo) {}
uo_05_search_jbxx_txsj::uo_05_search_jbxx_txsj(host::UserObject* p) : month_range_panel(p, kTxsj) {
    add_not_retired(cbx_1);
}
uo_05_search_jbxx_txsj_po::uo_05_search_jbxx_txsj_po(host::UserObject* p)
    : month_range_panel(p, kTxsjPo) {
    add_not_retired(cbx_1);
}

}  // namespace criteria
