#pragma once
// Little-endian field access for the file layouts.

#include <bit>
#include <cstdint>
#include <cstring>

namespace byteorder {

inline std::uint32_t Swap(std::uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xff00u) | ((v << 8) & 0xff0000u) | (v << 24);
}

inline std::int32_t GetInt32(const unsigned char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (std::endian::native == std::endian::big) {
        v = Swap(v);
    }
    return static_cast<std::int32_t>(v);
}

inline void PutInt32(unsigned char* p, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    if constexpr (std::endian::native == std::endian::big) {
        v = Swap(v);
    }
    std::memcpy(p, &v, 4);
}

inline float GetFloat(const unsigned char* p) { return std::bit_cast<float>(GetInt32(p)); }
inline void PutFloat(unsigned char* p, float value) { PutInt32(p, std::bit_cast<std::int32_t>(value)); }

} // namespace byteorder
