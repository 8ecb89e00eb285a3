#include "app/identity.h"

#include <array>

namespace app {
namespace {

constexpr std::array<int, 17> k_weights{7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
constexpr std::string_view k_check_chars = "10X98765432";

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

void put_digits(char* out, unsigned value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

unsigned read_digits(std::string_view s) {
    unsigned v = 0;
    for (const char c : s) v = v * 10 + static_cast<unsigned>(c - '0');
    return v;
}

}  // namespace

char identity_check_char(std::string_view first17) {
    if (first17.size() != 17) return '\0';
    int sum = 0;
    for (std::size_t i = 0; i < 17; ++i) {
        if (!is_digit(first17[i])) return '\0';
        sum += (first17[i] - '0') * k_weights[i];
    }
    return k_check_chars[static_cast<std::size_t>(sum % 11)];
}

void format_identity(char* out, unsigned region_code, const host::Date& birth, unsigned sequence) {
    put_digits(out, region_code, 6);
    put_digits(out + 6, static_cast<unsigned>(birth.year()), 4);
    put_digits(out + 10, birth.month(), 2);
    put_digits(out + 12, birth.day(), 2);
    put_digits(out + 14, sequence, 3);
    out[17] = identity_check_char(std::string_view(out, 17));
}

std::optional<IdentityInfo> parse_identity(std::string_view id) {
    if (id.size() != 18 || identity_check_char(id.substr(0, 17)) != id[17]) return std::nullopt;
    const host::Date birth{static_cast<int>(read_digits(id.substr(6, 4))),
                           read_digits(id.substr(10, 2)), read_digits(id.substr(12, 2))};
    if (!birth.ok()) return std::nullopt;
    return IdentityInfo{birth, read_digits(id.substr(14, 3)) % 2 == 1};
}

}  // namespace app
