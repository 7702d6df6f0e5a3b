#pragma once
// Conversions to the 16- and 32-bit integers of SkyState: to the nearest
// integer with halves to the even neighbour; a result outside the type's
// range (NaN included) is the overflow run-time error.

#include <cmath>
#include <cstdint>

#include "core/RunTimeError.h"

// Rounds to the nearest whole number, halves to even, for |value| < 2^51: adding
// and taking away 1.5 x 2^52 leaves no fraction bits, and the double addition
// itself rounds to nearest-even. This is the projection's hot path, where a
// call to nearbyint would cost more than the arithmetic around it.
inline double RoundHalfEven(double value) {
    constexpr double Shift = 6755399441055744.0;  // 1.5 x 2^52.
    const double shifted = value + Shift;  // Not folded away: no reassociation without fast-math.
    return shifted - Shift;
}

// floor without a library call (the baseline x86-64 has no rounding instruction):
// exact for every double, since any |value| >= 2^52 is already whole.
inline double Floor(double value) {
    if (!(std::fabs(value) < 4503599627370496.0)) return value;  // Whole already, or NaN.
    const double truncated = static_cast<double>(static_cast<std::int64_t>(value));
    return truncated > value ? truncated - 1 : truncated;
}

inline std::int16_t Round16(double value) {
    if (!(std::fabs(value) < 1e9)) throw RunTimeError(ErrorKind::Overflow);  // NaN included.
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) throw RunTimeError(ErrorKind::Overflow);
    return static_cast<std::int16_t>(rounded);
}

inline std::int32_t Round32(double value) {
    if (!(std::fabs(value) < 1e15)) throw RunTimeError(ErrorKind::Overflow);
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        throw RunTimeError(ErrorKind::Overflow);
    return static_cast<std::int32_t>(rounded);
}

// Integer arithmetic checked against the 16- and 32-bit ranges.
inline std::int16_t Checked16(std::int64_t value) {
    if (value < -32768 || value > 32767) throw RunTimeError(ErrorKind::Overflow);
    return static_cast<std::int16_t>(value);
}

inline std::int32_t Checked32(std::int64_t value) {
    if (value < INT32_MIN || value > INT32_MAX) throw RunTimeError(ErrorKind::Overflow);
    return static_cast<std::int32_t>(value);
}
