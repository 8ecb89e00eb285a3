#pragma once

// A back-end test whose application transaction `sqlca` can be connected to the test's
// database, as the application connects it before any search window is made. It is
// disconnected again after the test.

#include "app/globals.h"
#include "support/backends.h"

namespace trq05_test {

class SqlcaBackendTest : public BackendTest {
  protected:
    void connect_sqlca() {
        app::sqlca.params = params();
        app::sqlca.connect();
        ASSERT_EQ(app::sqlca.sqlcode(), 0) << app::sqlca.sqlerrtext();
    }
    void TearDown() override {
        app::sqlca.disconnect();
        BackendTest::TearDown();
    }
};

}  // namespace trq05_test
