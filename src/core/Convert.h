#pragma once
// Conversions to the 16- and 32-bit integers of SkyState: to the nearest
// integer with halves to the even neighbour; a result outside the type's
// range (NaN included) is the overflow run-time error.

#include <cmath>
#include <cstdint>

#include "core/RunTimeError.h"

inline std::int16_t Round16(double value) {
    const double rounded = std::nearbyint(value);  // Default rounding mode: ties to even.
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) throw RunTimeError(ErrorKind::Overflow);
    return static_cast<std::int16_t>(rounded);
}

inline std::int32_t Round32(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw RunTimeError(ErrorKind::Overflow);
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
