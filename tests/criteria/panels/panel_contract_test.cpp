// What every criterion panel shares: the carriers at positions 1 to 3, the item name, and the
// constructor's placement, colour and hidden frame.
#include <gtest/gtest.h>

#include "app/globals.h"
#include "criteria/registry.h"
#include "criteria/uo_find_parent.h"
#include "host/controls.h"

namespace {

class PanelContract : public ::testing::TestWithParam<std::string_view> {
  protected:
    void TearDown() override { app::gl_windowbackcolor = saved; }
    std::optional<double> saved = app::gl_windowbackcolor;
};

TEST_P(PanelContract, CarriersConstructorAndEmptyCondition) {
    app::gl_windowbackcolor = 12632256.9;  // the fraction is cut off, not carried up
    auto panel = criteria::create_object(GetParam());
    ASSERT_NE(panel, nullptr);
    panel->move(300, 200);
    host::run_constructors(*panel);
    auto& p = dynamic_cast<criteria::uo_find_parent&>(*panel);

    EXPECT_EQ(&p.control(1), &p.st_displayvalue);
    EXPECT_EQ(&p.control(2), &p.st_sqlwhere);
    EXPECT_EQ(&p.control(3), &p.st_btrue);
    EXPECT_EQ(p.control(10).name(), "ln_4");
    for (long i = 1; i <= 3; ++i) EXPECT_EQ(p.control(i).tag(), "");
    for (long i = 1; i <= 6; ++i) EXPECT_FALSE(p.control(i).visible());
    for (long i = 7; i <= 10; ++i) EXPECT_FALSE(p.control(i).visible()) << p.control(i).name();
    EXPECT_EQ(p.st_btrue.text(), "是否有效（1，有效，0，无效）");
    EXPECT_FALSE(p.tag().empty());

    EXPECT_EQ(p.x(), 0);
    EXPECT_EQ(p.y(), 0);
    EXPECT_EQ(p.backcolor(), 12632256);
    // The panel's own labels, boxes and buttons take the same colour; the carriers keep theirs.
    for (long i = 11; i <= static_cast<long>(p.control_count()); ++i) {
        const host::Control& c = p.control(i);
        const auto t = c.type_of();
        if (t == host::ControlType::statictext || t == host::ControlType::checkbox ||
            t == host::ControlType::radiobutton) {
            EXPECT_EQ(c.backcolor(), 12632256) << c.name();
        }
    }
    EXPECT_EQ(p.st_displayvalue.backcolor(), criteria::kButtonFace);
}

TEST_P(PanelContract, NullBackgroundGivesNullColour) {
    app::gl_windowbackcolor = std::nullopt;
    auto panel = criteria::create_object(GetParam());
    host::run_constructors(*panel);
    EXPECT_FALSE(panel->backcolor().has_value());
}

INSTANTIATE_TEST_SUITE_P(AllPanels, PanelContract,
                         ::testing::ValuesIn(criteria::panel_class_names()),
                         [](const auto& param_info) { return std::string{param_info.param}; });

}  // namespace
