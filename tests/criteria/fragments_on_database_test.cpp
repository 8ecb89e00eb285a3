// Every condition a person can give through the containers' panels runs unchanged in a query on
// both databases.
#include <gtest/gtest.h>

#include "app/demo_data.h"
#include "app/globals.h"
#include "app/schema.h"
#include "criteria/containers.h"
#include "criteria/panel_fixture.h"
#include "host/user_actions.h"
#include "support/sqlca_backend.h"

namespace {

using namespace criteria;
using testing_support::make;

// Gives the panel each kind of input it takes and collects the conditions that come out.
std::vector<std::string> conditions_of(host::UserObject& panel) {
    std::vector<std::string> out;
    const auto take = [&] {
        ASSERT_EQ(panel.control(3).tag(), "1") << panel.class_name();
        out.push_back(panel.control(2).tag());
    };
    if (auto* p = dynamic_cast<text_match_panel*>(&panel)) {
        host::type_and_leave(p->sle_value, "O'Brien");
        take();
        host::type_and_leave(p->sle_value, "1");
        host::click(p->cbx_like);
        take();
    } else if (auto* b = dynamic_cast<uo_05_search_jbxx_khh*>(&panel)) {
        for (const auto& bank : b->sle_value.items()) {
            host::pick(b->sle_value, bank);
            take();
        }
    } else if (auto* a = dynamic_cast<area_range_panel*>(&panel)) {
        host::pick(a->ddlb_1, ">=");
        host::type_and_leave(a->em_1, "50");
        take();
        host::pick(a->ddlb_2, "<");
        host::type_and_leave(a->em_2, "90.5");
        take();
        host::type_and_leave(a->em_1, "7.");
        take();
    } else if (auto* m = dynamic_cast<month_range_panel*>(&panel)) {
        host::type_and_leave(m->em_1, "1990年01月");
        host::type_and_leave(m->em_2, "2004年12月");
        take();
        if (auto* box = dynamic_cast<host::CheckBox*>(panel.find_control("cbx_1"))) {
            host::click(*box);
            take();
        }
    } else if (auto* c = dynamic_cast<category_panel*>(&panel)) {
        for (host::Control* rb : c->controls()) {
            if (rb->type_of() == host::ControlType::radiobutton && rb->shown() && rb->usable()) {
                host::click(*rb);
                take();
            }
        }
    } else {
        ADD_FAILURE() << "no input for " << panel.class_name();
    }
    return out;
}

class FragmentsOnDatabase : public trq05_test::SqlcaBackendTest {
  protected:
    void SetUp() override {
        SqlcaBackendTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        app::DemoOptions options;
        options.records = 300;
        app::generate_demo(db(), options);
        connect_sqlca();
    }

    void run_all(criterion_container& container) {
        std::size_t ran = 0;
        for (long i = 1; i <= static_cast<long>(container.control_count()); ++i) {
            host::UserObject& panel = container.panel(i);
            container.of_setobjectnotvisible();
            panel.set_visible(true);
            for (const auto& sql : conditions_of(panel)) {
                SCOPED_TRACE(sql);
                EXPECT_NO_THROW((void)all_rows(
                    "SELECT t_05_baseinfo_old.编号 FROM t_05_baseinfo_old where ('1'='1') and (" +
                    sql + ")"));
                ++ran;
            }
        }
        EXPECT_GT(ran, container.control_count());
    }
};

TEST_P(FragmentsOnDatabase, EmployeeContainer) {
    auto all = make<uo_05_search_jbxx_all>();
    EXPECT_GT(all->uo_11.sle_value.item_count(), 3);  // the demo banks
    run_all(*all);
}

TEST_P(FragmentsOnDatabase, SpouseContainer) {
    auto po = make<uo_05_search_jbxx_all_po>();
    run_all(*po);
}

TRQ05_BOTH_BACKENDS(FragmentsOnDatabase);

class MonthBoundsOnDatabase : public trq05_test::BackendTest {};

TEST_P(MonthBoundsOnDatabase, EveryDayOfBothMonthsAndNoOtherIsSelected) {
    app::create_schema(db());
    db().execute(
        "INSERT INTO t_05_baseinfo_old (编号, 参加工作时间, 离退休时间) VALUES "
        "('1', '2003-04-30', NULL), ('2', '2003-05-01', '2010-01-01'), "
        "('3', '2003-07-31', NULL), ('4', '2003-08-01', '2011-06-30'), ('5', NULL, NULL)");
    const auto selected = [&](host::UserObject& panel) {
        std::vector<std::string> keys;
        for (const auto& v : all_rows("SELECT 编号 FROM t_05_baseinfo_old where ('1'='1') and (" +
                                      panel.control(2).tag() + ") ORDER BY 编号")) {
            keys.push_back(std::get<std::string>(v));
        }
        return keys;
    };
    auto gz = make<uo_05_search_jbxx_gzsj>();
    host::type_and_leave(gz->em_1, "2003年05月");
    host::type_and_leave(gz->em_2, "2003年07月");
    EXPECT_EQ(selected(*gz), (std::vector<std::string>{"2", "3"}));
    auto tx = make<uo_05_search_jbxx_txsj>();
    host::click(tx->cbx_1);
    EXPECT_EQ(selected(*tx), (std::vector<std::string>{"1", "3", "5"}));
}

TRQ05_BOTH_BACKENDS(MonthBoundsOnDatabase);

}  // namespace
