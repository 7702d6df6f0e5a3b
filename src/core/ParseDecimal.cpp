#include "core/ParseDecimal.h"

#include <charconv>
#include <cstdlib>
#include <string>

// libstdc++ has had from_chars for doubles since GCC 11; the browser's libc++ (emscripten
// 3.1.6) has none and only the C library's strtod, whose decimal point there is always '.'.
#if defined(__cpp_lib_to_chars)
#define DOMARIUM_FLOAT_FROM_CHARS 1
#else
#include <cerrno>
#endif

namespace {
constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
}  // namespace

DecimalParse ParseDecimal(const char* first, const char* last, double& value) {
    // The number's extent: sign, digits and point, exponent.
    const char* p = first;
    const bool negative = p < last && *p == '-';
    if (negative) ++p;
    const char* const digitsStart = p;
    bool digits = false;
    while (p < last && *p >= '0' && *p <= '9') ++p, digits = true;
    if (p < last && *p == '.') {
        ++p;
        while (p < last && *p >= '0' && *p <= '9') ++p, digits = true;
    }
    if (!digits) return {first, std::errc::invalid_argument};
    const char* const digitsEnd = p;
    if (p < last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q < last && (*q == '+' || *q == '-')) ++q;
        if (q < last && *q >= '0' && *q <= '9') {
            while (q < last && *q >= '0' && *q <= '9') ++q;
            p = q;
        }
    }

    // Short decimals: the significant digits as an integer and a power of ten.
    unsigned long long mantissa = 0;
    int significant = 0, scale = 0;
    bool fraction = false, fits = true;
    for (const char* q = digitsStart; q < digitsEnd; ++q) {
        if (*q == '.') {
            fraction = true;
            continue;
        }
        if (fraction) --scale;
        if (mantissa == 0 && *q == '0') continue;
        if (++significant > 15) fits = false;
        if (fits) mantissa = mantissa * 10 + static_cast<unsigned>(*q - '0');
    }
    if (digitsEnd < p) {  // The exponent's digits, a few at most for this path.
        const char* q = digitsEnd + 1;
        const bool down = *q == '-';
        if (*q == '+' || *q == '-') ++q;
        int e = 0;
        for (; q < p; ++q) {
            if (e > 1000) {
                fits = false;
                break;
            }
            e = e * 10 + (*q - '0');
        }
        scale += down ? -e : e;
    }
    if (fits && scale >= -22 && scale <= 22) {
        const auto m = static_cast<double>(mantissa);
        const double magnitude =
            scale < 0 ? m / ExactPowersOfTen[-scale] : m * ExactPowersOfTen[scale];
        value = negative ? -magnitude : magnitude;
        return {p, std::errc{}};
    }

    // Long decimals: the C++ or the C library, over exactly the extent found above.
#ifdef DOMARIUM_FLOAT_FROM_CHARS
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(first, p, parsed, std::chars_format::general);
    if (error != std::errc{}) return {end, error};
    value = parsed;
    return {p, std::errc{}};
#else
    const std::string text(first, p);
    errno = 0;
    const double parsed = std::strtod(text.c_str(), nullptr);
    if (errno == ERANGE) return {p, std::errc::result_out_of_range};
    value = parsed;
    return {p, std::errc{}};
#endif
}
