#include "profile/KeyedHash.h"

#include <array>
#include <chrono>
#include <random>

namespace profile {

namespace {

struct SipKey {
    std::uint64_t k0;
    std::uint64_t k1;
};

// Drawn once: the system's random source, stirred with the clock and where this process's
// data lie, so that a weak random source alone does not make the key guessable.
const SipKey& processKey()
{
    static const SipKey key = [] {
        std::random_device device;
        auto draw = [&device] { return (std::uint64_t{device()} << 32) ^ std::uint64_t{device()}; };
        const auto clock =
            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        static const int somewhere = 0;
        const auto address = reinterpret_cast<std::uintptr_t>(&somewhere);
        return SipKey{draw() ^ clock, draw() ^ (std::uint64_t{address} * 0x9E3779B97F4A7C15u)};
    }();
    return key;
}

constexpr std::uint64_t rotl(std::uint64_t x, int b)
{
    return (x << b) | (x >> (64 - b));
}

struct SipState {
    std::uint64_t v0, v1, v2, v3;

    void round()
    {
        v0 += v1;
        v1 = rotl(v1, 13);
        v1 ^= v0;
        v0 = rotl(v0, 32);
        v2 += v3;
        v3 = rotl(v3, 16);
        v3 ^= v2;
        v0 += v3;
        v3 = rotl(v3, 21);
        v3 ^= v0;
        v2 += v1;
        v1 = rotl(v1, 17);
        v1 ^= v2;
        v2 = rotl(v2, 32);
    }
    void absorb(std::uint64_t word)
    {
        v3 ^= word;
        round();
        v0 ^= word;
    }
};

std::uint64_t foldedByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'A' && b <= 'Z') ? b - 'A' + 'a' : b;
}

} // namespace

std::uint64_t foldedNameHash(std::string_view name)
{
    const SipKey& key = processKey();
    SipState s{key.k0 ^ 0x736f6d6570736575u, key.k1 ^ 0x646f72616e646f6du,
               key.k0 ^ 0x6c7967656e657261u, key.k1 ^ 0x7465646279746573u};
    std::uint64_t word = 0;
    std::size_t i = 0;
    for (; i < name.size(); ++i) {
        word |= foldedByte(name[i]) << (8 * (i % 8));
        if (i % 8 == 7) {
            s.absorb(word);
            word = 0;
        }
    }
    s.absorb(word | (std::uint64_t{name.size() & 0xFF} << 56));
    s.v2 ^= 0xFF;
    s.round();
    s.round();
    s.round();
    return s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
}

} // namespace profile
