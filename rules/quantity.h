#pragma once

#include <array>
#include <cstddef>

namespace tubaro {

// The four quantities of a pipe run; each has a value field, a spin control
// and an option button that makes it the computed one. Their order, D P Y L,
// is the order of the window's rows and of every table kept per quantity.
enum class Quantity { Diameter, Power, Loss, Length };

inline constexpr std::array<Quantity, 4> kQuantities{Quantity::Diameter, Quantity::Power, Quantity::Loss,
                                                     Quantity::Length};

// One value per quantity, indexed by Quantity.
template <typename T>
struct PerQuantity {
    std::array<T, 4> items;

    constexpr T& operator[](Quantity quantity) { return items[static_cast<std::size_t>(quantity)]; }
    constexpr const T& operator[](Quantity quantity) const { return items[static_cast<std::size_t>(quantity)]; }

    friend constexpr bool operator==(const PerQuantity&, const PerQuantity&) = default;
};

}  // namespace tubaro
