#pragma once

#include <array>

namespace tubaro {

// The four quantities of a pipe run; each has a value field, a spin control
// and an option button that makes it the computed one.
enum class Quantity { Diameter, Power, Loss, Length };

inline constexpr std::array<Quantity, 4> kQuantities{Quantity::Diameter, Quantity::Power, Quantity::Loss,
                                                     Quantity::Length};

// Typed values start a recalculation only strictly inside (0, typed_limit),
// compared as doubles before any rounding. Stepping has its own, different
// range [0, spin_upper].
struct FieldLimits {
    double typed_limit;
    int spin_upper;
};

constexpr FieldLimits limits_of(Quantity field)
{
    switch (field) {
    case Quantity::Diameter: return {5000.0, 1000};
    case Quantity::Power: return {9000.0, 5000};
    case Quantity::Loss: return {100000.0, 10000};
    case Quantity::Length: return {10000.0, 20000};
    }
    return {0.0, 0};
}

}  // namespace tubaro
