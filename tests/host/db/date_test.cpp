#include <gtest/gtest.h>

#include "host/date.h"

namespace {

using host::Date;

TEST(Date, ParsesIsoDatesAndRejectsEverythingElse) {
    const std::vector<std::pair<std::string, std::optional<Date>>> cases{
        {"2024-02-29", Date{2024, 2, 29}},
        {"1900-01-01", Date{1900, 1, 1}},
        {"2024-01-31 08:30:00", Date{2024, 1, 31}},
        {"2024-01-31T08:30", Date{2024, 1, 31}},
        {"2023-02-29", std::nullopt},
        {"2024-13-01", std::nullopt},
        {"2024-00-10", std::nullopt},
        {"2024-04-31", std::nullopt},
        {"2024-1-31", std::nullopt},
        {"2024/01/31", std::nullopt},
        {"2024-01-31x", std::nullopt},
        {"20240131", std::nullopt},
        {"", std::nullopt},
        {"infinity", std::nullopt},
        {"0044-03-15 BC", std::nullopt},
        {"0044-03-15 12:00:00 BC", std::nullopt},
    };
    for (const auto& [text, want] : cases) EXPECT_EQ(host::parse_iso_date(text), want) << text;
}

TEST(Date, IsoTextIsPaddedAndReadsBack) {
    EXPECT_EQ(host::to_iso(Date{5, 3, 7}), "0005-03-07");
    for (const Date d : {Date{2024, 2, 29}, Date{1999, 12, 31}, Date{}})
        EXPECT_EQ(host::parse_iso_date(host::to_iso(d)), d);
}

}  // namespace
