#pragma once

// A small, fully specified random number generator (xoshiro256**, seeded through splitmix64),
// so that the demo data are the same on every machine and with every standard library.

#include <cstdint>

namespace app {

[[nodiscard]] constexpr std::uint64_t splitmix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

class Rng {
  public:
    constexpr explicit Rng(std::uint64_t seed) {
        for (auto& word : m_s) word = splitmix64(seed);
    }

    constexpr std::uint64_t next() {
        const std::uint64_t result = rotl(m_s[1] * 5, 7) * 9;
        const std::uint64_t t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = rotl(m_s[3], 45);
        return result;
    }

    // Uniform in [0, n), n > 0. The modulo bias is below n / 2^64: negligible here.
    constexpr std::uint64_t below(std::uint64_t n) { return next() % n; }
    // Uniform in [lo, hi].
    constexpr std::int64_t between(std::int64_t lo, std::int64_t hi) {
        return lo + static_cast<std::int64_t>(below(static_cast<std::uint64_t>(hi - lo) + 1));
    }
    // True with probability per_mille / 1000.
    constexpr bool chance(unsigned per_mille) { return below(1000) < per_mille; }

  private:
    static constexpr std::uint64_t rotl(std::uint64_t x, int k) {
        return (x << k) | (x >> (64 - k));
    }
    std::uint64_t m_s[4]{};
};

}  // namespace app
