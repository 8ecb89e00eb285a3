#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/date.h"

namespace host {

// The input rule of an edit mask.
//  - A number mask such as "###.##": digits and at most one point, at most as many digits before
//    the point as there are '#' before it in the mask, and as many after it.
//  - A date mask such as "yyyy年mm月" (also "dd"): digit places for year, month and day, and fixed
//    characters between them, which the field shows and the person may type or leave out.
// Characters the mask does not admit at that point are dropped as they are typed.
class Mask {
  public:
    enum class Kind { number, date, text };
    explicit Mask(std::string pattern);

    [[nodiscard]] const std::string& pattern() const { return m_pattern; }
    [[nodiscard]] Kind kind() const { return m_kind; }

    // The field's content after a person has typed `typed` into the empty field.
    [[nodiscard]] std::string accept(std::string_view typed) const;
    // A date mask's content read as a date: the first day of the month when the mask has no day
    // places; the null date when the content is empty, incomplete or not a real date.
    [[nodiscard]] std::optional<Date> date_of(std::string_view content) const;

  private:
    struct Slot {
        char field = 0;       // 'y', 'm', 'd' for a digit place; 0 for a fixed character
        std::string literal;  // the fixed character (UTF-8)
    };
    std::string m_pattern;
    Kind m_kind = Kind::text;
    int m_int_places = 0;
    int m_frac_places = 0;
    std::vector<Slot> m_slots;
};

// Splits UTF-8 text into its characters (each a string of 1 to 4 bytes).
std::vector<std::string_view> utf8_chars(std::string_view text);

}  // namespace host
