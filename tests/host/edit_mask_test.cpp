#include "host/edit_mask.h"

#include <gtest/gtest.h>

#include "host/controls.h"
#include "host/user_actions.h"

namespace {

struct MaskCase {
    const char* typed;
    const char* content;
};

TEST(NumberMask, KeepsOnlyWhatTheMaskAdmitsAsTyped) {
    const host::Mask mask{"###.##"};
    const MaskCase cases[] = {
        {"7.5", "7.5"},         {"50", "50"},      {"999.99", "999.99"},
        {"1234.567", "123.56"}, {"12a3", "123"},   {"-5", "5"},
        {"1.2.3", "1.23"},      {" 60 ", "60"},    {".5", ".5"},
        {"7.", "7."},           {"", ""},          {"abc", ""},
        {"１２", ""},           {"0.001", "0.00"},
    };
    for (const auto& c : cases) EXPECT_EQ(mask.accept(c.typed), c.content) << c.typed;
}

TEST(DateMask, FillsDigitPlacesAndFixedCharacters) {
    const host::Mask mask{"yyyy年mm月"};
    const MaskCase cases[] = {
        {"200305", "2003年05月"},
        {"2003年05月", "2003年05月"},
        {"2003年05", "2003年05月"},
        {"2003-05", "2003年05月"},
        {"20030", "2003年0"},
        {"2003", "2003"},
        {"2003050607", "2003年05月"},
        {"", ""},
        {"年月", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(mask.accept(c.typed), c.content) << c.typed;
}

TEST(DateMask, ReadsTheFirstDayOfACompleteRealMonthElseNull) {
    const host::Mask mask{"yyyy年mm月"};
    EXPECT_EQ(mask.date_of(mask.accept("200305")), (host::Date{2003, 5, 1}));
    EXPECT_EQ(mask.date_of(mask.accept("200412")), (host::Date{2004, 12, 1}));
    for (const char* typed : {"", "2003", "20030", "200300", "200313", "000005"}) {
        EXPECT_FALSE(mask.date_of(mask.accept(typed)).has_value()) << typed;
    }
}

TEST(EditMaskControl, TypingDropsWhatTheMaskRefuses) {
    host::EditMask em{nullptr, "em_1", "###.##"};
    int modified = 0;
    em.on_modified = [&] { ++modified; };
    host::type_and_leave(em, "12x.5");
    EXPECT_EQ(em.text(), "12.5");
    host::type_and_leave(em, "12.5y");  // same content: no change, no event
    EXPECT_EQ(modified, 1);
}

}  // namespace
