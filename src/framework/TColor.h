#pragma once
// An RGB colour.

#include <cstdint>

struct TColor {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    constexpr TColor() = default;
    constexpr TColor(int red, int green, int blue)
        : r(static_cast<std::uint8_t>(red)), g(static_cast<std::uint8_t>(green)),
          b(static_cast<std::uint8_t>(blue)) {}

    static constexpr TColor Black() { return {0, 0, 0}; }
    static constexpr TColor White() { return {255, 255, 255}; }
    static constexpr TColor LightGray() { return {192, 192, 192}; }
    static constexpr TColor Gray() { return {128, 128, 128}; }
    static constexpr TColor Purple() { return {128, 0, 128}; }

    bool operator==(const TColor&) const = default;
};
