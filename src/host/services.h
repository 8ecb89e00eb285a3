#pragma once

// The runtime's string, date, number and colour services.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/control.h"
#include "host/date.h"

namespace host {

// Removes the blank (character 32) at both ends; tabs and full-width blanks stay.
[[nodiscard]] std::string trim(std::string_view s);

// Formats a date: "YYYY" the four-digit year, "MM" the month and "DD" the day, with leading
// zeros; every other character is copied.
[[nodiscard]] std::string format_date(const Date& d, std::string_view format);
// The date `days` days after d (negative: before), across month and year ends.
[[nodiscard]] Date relative_date(const Date& d, long days);
// The first day of the month after d's month.
[[nodiscard]] Date first_of_next_month(const Date& d);

// Text to a single-precision number as the runtime converts it: the number the text begins
// with, 0 when it begins with none.
[[nodiscard]] float to_real(std::string_view text);
// Formats a number with a picture such as "0.00" or "0": at least one digit before the point,
// exactly as many after it as the picture has, rounded to nearest; no thousands separator.
[[nodiscard]] std::string format_number(double value, std::string_view picture);

[[nodiscard]] constexpr std::int64_t rgb(int red, int green, int blue) {
    return red + 256LL * green + 65536LL * blue;
}
// A floating-point colour as a whole colour, its fraction cut off toward zero; null stays null,
// and so does a value that is no number or lies far outside the colour codes.
[[nodiscard]] Colour colour_from(std::optional<double> value);

}  // namespace host
