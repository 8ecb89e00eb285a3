#include "host/services.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace host {

std::string trim(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return std::string{s.substr(first, last - first + 1)};
}

namespace {
void append_padded(std::string& out, long value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*ld", width, value);
    out += buf;
}
}  // namespace

std::string format_date(const Date& d, std::string_view format) {
    std::string out;
    std::size_t i = 0;
    while (i < format.size()) {
        const auto rest = format.substr(i);
        if (rest.starts_with("YYYY")) {
            append_padded(out, d.year(), 4);
            i += 4;
        } else if (rest.starts_with("MM")) {
            append_padded(out, d.month(), 2);
            i += 2;
        } else if (rest.starts_with("DD")) {
            append_padded(out, d.day(), 2);
            i += 2;
        } else {
            out += format[i++];
        }
    }
    return out;
}

Date relative_date(const Date& d, long days) {
    return Date::from_days(d.days() + days);
}

Date first_of_next_month(const Date& d) {
    const auto next =
        std::chrono::year_month{d.ymd().year(), d.ymd().month()} + std::chrono::months{1};
    return Date{next / std::chrono::day{1}};
}

float to_real(std::string_view text) {
    std::string s{text};
    const char* begin = s.c_str();
    char* end = nullptr;
    const float v = std::strtof(begin, &end);
    return end == begin ? 0.0F : v;
}

std::string format_number(double value, std::string_view picture) {
    int places = 0;
    const auto point = picture.find('.');
    if (point != std::string_view::npos) {
        for (std::size_t i = point + 1; i < picture.size(); ++i) {
            if (picture[i] == '0' || picture[i] == '#') ++places;
        }
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", places, value);
    std::string out{buf};
    if (out.starts_with('-') && out.find_first_not_of("-0.") == std::string::npos) {
        out.erase(0, 1);  // no negative zero
    }
    return out;
}

Colour colour_from(std::optional<double> value) {
    // Colours are 32-bit codes; anything far outside has no colour to give.
    if (!value || !std::isfinite(*value) || std::fabs(*value) > 4294967295.0) return std::nullopt;
    return static_cast<std::int64_t>(std::trunc(*value));
}

}  // namespace host
