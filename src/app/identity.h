#pragma once

// Resident identity numbers (18 characters): a 6-digit region code, the birth date as YYYYMMDD,
// a 3-digit sequence number (odd for men, even for women) and an ISO 7064 MOD 11-2 check
// character, 'X' standing for 10.

#include <optional>
#include <string>
#include <string_view>

#include "host/date.h"

namespace app {

// The check character for the first 17 digits; '\0' when they are not 17 digits.
[[nodiscard]] char identity_check_char(std::string_view first17);

// Writes the 18 characters into out (at least 18 chars of room), without a terminator.
// region_code: 0..999999; sequence: 0..999.
void format_identity(char* out, unsigned region_code, const host::Date& birth, unsigned sequence);

struct IdentityInfo {
    host::Date birth;
    bool male = false;
};

// The birth date and sex an identity number encodes, when it is well formed: 18 characters,
// 17 digits and the right check character, and a real birth date.
[[nodiscard]] std::optional<IdentityInfo> parse_identity(std::string_view id);

}  // namespace app
