#include "host/user_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/controls.h"
#include "host/errors.h"

namespace {

struct Form : host::UserObject {
    Form() : host::UserObject(nullptr, "form") {}
    host::CheckBox cbx{this, "cbx"};
    host::RadioButton rb_1{this, "rb_1"};
    host::RadioButton rb_2{this, "rb_2"};
    host::RadioButton rb_manual{this, "rb_manual"};
    host::SingleLineEdit sle{this, "sle"};
    host::DropDownListBox ddlb{this, "ddlb"};
};

TEST(Click, TogglesACheckboxThenRaisesClicked) {
    Form f;
    bool seen_checked = false;
    f.cbx.on_clicked = [&] { seen_checked = f.cbx.checked(); };
    host::click(f.cbx);
    EXPECT_TRUE(f.cbx.checked());
    EXPECT_TRUE(seen_checked);  // the event sees the new state
    host::click(f.cbx);
    EXPECT_FALSE(f.cbx.checked());
}

TEST(Click, AutomaticRadioButtonClearsItsSiblings) {
    Form f;
    f.rb_manual.automatic = false;
    f.rb_manual.set_checked(true);
    host::click(f.rb_1);
    host::click(f.rb_2);
    EXPECT_FALSE(f.rb_1.checked());
    EXPECT_TRUE(f.rb_2.checked());
    EXPECT_FALSE(f.rb_manual.checked());
    host::click(f.rb_manual);  // not automatic: only the event
    EXPECT_FALSE(f.rb_manual.checked());
    EXPECT_TRUE(f.rb_2.checked());
}

TEST(Actions, HiddenOrDisabledControlsRefuseAndNothingChanges) {
    Form f;
    int events = 0;
    f.cbx.on_clicked = [&] { ++events; };
    f.sle.on_modified = [&] { ++events; };
    f.cbx.set_visible(false);
    EXPECT_THROW(host::click(f.cbx), host::ActionRefused);
    f.sle.set_enabled(false);
    EXPECT_THROW(host::type_and_leave(f.sle, "x"), host::ActionRefused);
    f.sle.set_enabled(true);
    f.set_visible(false);  // a hidden parent hides its controls
    EXPECT_THROW(host::type_and_leave(f.sle, "x"), host::ActionRefused);
    EXPECT_FALSE(f.cbx.checked());
    EXPECT_EQ(f.sle.text(), "");
    EXPECT_EQ(events, 0);
}

TEST(TypeAndLeave, RaisesModifiedOnlyWhenTheTextChanged) {
    Form f;
    int modified = 0;
    f.sle.on_modified = [&] { ++modified; };
    host::type_and_leave(f.sle, "张三");
    host::type_and_leave(f.sle, "张三");
    host::type_and_leave(f.sle, "");
    EXPECT_EQ(modified, 2);
    EXPECT_THROW(host::type_and_leave(f.cbx, "x"), host::ActionRefused);
}

TEST(Pick, SelectsTheEntryThenRaisesSelectionChanged) {
    Form f;
    f.ddlb.additem("<");
    f.ddlb.additem(">=");
    int index = 0;
    f.ddlb.on_selectionchanged = [&](int i) { index = i; };
    host::pick(f.ddlb, ">=");
    EXPECT_EQ(f.ddlb.text(), ">=");
    EXPECT_EQ(index, 2);
    EXPECT_THROW(host::pick(f.ddlb, ">"), host::ActionRefused);
    EXPECT_EQ(f.ddlb.text(), ">=");
    f.ddlb.selectitem(0);
    EXPECT_EQ(f.ddlb.text(), "");
}

TEST(ScriptWrites, RaiseNoEvent) {
    Form f;
    int events = 0;
    for (host::Control* c : f.controls()) {
        c->on_clicked = [&] { ++events; };
        c->on_modified = [&] { ++events; };
        c->on_selectionchanged = [&](int) { ++events; };
    }
    f.ddlb.additem("a");
    f.cbx.set_checked(true);
    f.rb_1.set_checked(true);
    f.sle.set_text("x");
    f.ddlb.selectitem(1);
    f.ddlb.set_text("a");
    EXPECT_EQ(events, 0);
    EXPECT_EQ(f.ddlb.text(), "a");
}

TEST(EventBoundary, AScriptErrorIsReportedAndGoesNoFurther) {
    Form f;
    std::string reported;
    host::set_script_error_handler([&](const std::string& m) { reported = m; });
    f.cbx.on_clicked = [&] { (void)f.control(99); };
    EXPECT_NO_THROW(host::click(f.cbx));
    EXPECT_NE(reported.find("99"), std::string::npos);
    host::set_script_error_handler(nullptr);
}

}  // namespace
