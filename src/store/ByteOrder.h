#pragma once
// Little-endian field access for the file layouts. On a little-endian host every function
// here is a plain copy.

#include <bit>
#include <cstdint>
#include <cstring>

namespace byteorder {

constexpr bool kHostIsFileOrder = std::endian::native == std::endian::little;

inline std::uint32_t Swap(std::uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xff00u) | ((v << 8) & 0xff0000u) | (v << 24);
}

inline std::int32_t GetInt32(const unsigned char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (!kHostIsFileOrder) {
        v = Swap(v);
    }
    return static_cast<std::int32_t>(v);
}

inline void PutInt32(unsigned char* p, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    if constexpr (!kHostIsFileOrder) {
        v = Swap(v);
    }
    std::memcpy(p, &v, 4);
}

// Turns count 4-byte numbers at p between file order and host order (the same swap both ways).
inline void FlipInt32s(unsigned char* p, std::size_t count) {
    if constexpr (!kHostIsFileOrder) {
        for (std::size_t i = 0; i < count; ++i, p += 4) {
            PutInt32(p, GetInt32(p));
        }
    } else {
        (void)p;
        (void)count;
    }
}

} // namespace byteorder
