#pragma once

#include <chrono>
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace host {

// A calendar date (no time of day). The null date of the runtime is std::optional<Date>{}.
class Date {
  public:
    constexpr Date() = default;
    constexpr Date(int year, unsigned month, unsigned day)
        : m_ymd{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}} {}
    constexpr explicit Date(std::chrono::year_month_day ymd) : m_ymd{ymd} {}

    [[nodiscard]] constexpr int year() const { return static_cast<int>(m_ymd.year()); }
    [[nodiscard]] constexpr unsigned month() const { return static_cast<unsigned>(m_ymd.month()); }
    [[nodiscard]] constexpr unsigned day() const { return static_cast<unsigned>(m_ymd.day()); }
    [[nodiscard]] constexpr bool ok() const { return m_ymd.ok(); }
    [[nodiscard]] constexpr std::chrono::year_month_day ymd() const { return m_ymd; }

    // Days since 1970-01-01 (negative before it).
    [[nodiscard]] constexpr long days() const {
        return std::chrono::sys_days{m_ymd}.time_since_epoch().count();
    }
    [[nodiscard]] static constexpr Date from_days(long days) {
        return Date{std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{days}}}};
    }

    friend constexpr bool operator==(const Date&, const Date&) = default;
    friend constexpr std::strong_ordering operator<=>(const Date& a, const Date& b) {
        return a.days() <=> b.days();
    }

  private:
    std::chrono::year_month_day m_ymd{std::chrono::year{1970}, std::chrono::month{1},
                                      std::chrono::day{1}};
};

// "YYYY-MM-DD", the form both databases store and accept.
std::string to_iso(const Date& d);
// Parses "YYYY-MM-DD" (a time of day after it is ignored); nullopt when it is not a real date.
std::optional<Date> parse_iso_date(std::string_view text);

}  // namespace host
