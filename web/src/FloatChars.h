#pragma once
// The web build's C++ library (emscripten's libc++) parses integers with
// std::from_chars but not floating-point numbers. The StarData loader and the
// snapshot options parse doubles with it, so the web build includes this header
// in every engine file (-include): the same call, answered by strtod over the
// decimal prefix that from_chars itself would take. strtod rounds correctly, so
// each star's value is the same double as in the desktop build.

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>
#include <system_error>

#if defined(__EMSCRIPTEN__) && defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 17000

namespace std {

// Purpose: the decimal forms of from_chars for double (general, fixed, scientific).
// Reads: [first, last), ASCII; fmt chooses whether an exponent may, must or must not
//   follow. No leading '+' or white space, no hexadecimal, no inf/nan (the loader and
//   the options reject those before calling).
// Writes: value, only on success; returns the end of the number taken and errc{},
//   invalid_argument (no digits; value untouched) or result_out_of_range (beyond
//   double, or below its smallest subnormal; value untouched).
// Notes: "1." and ".5" are numbers; "1e" takes "1" and stops at 'e', as from_chars does.
// Tested values: web engine unit tests (the loader's and options' worked cases).
inline from_chars_result from_chars(const char* first, const char* last, double& value,
                                    chars_format fmt = chars_format::general) {
    const char* p = first;
    if (p < last && *p == '-') ++p;
    const char* const digitsStart = p;
    bool digits = false;
    while (p < last && *p >= '0' && *p <= '9') ++p, digits = true;
    if (p < last && *p == '.') {
        ++p;
        while (p < last && *p >= '0' && *p <= '9') ++p, digits = true;
    }
    if (!digits) return {first, errc::invalid_argument};
    const bool mayExponent = (fmt & chars_format::scientific) == chars_format::scientific;
    const bool mustExponent = mayExponent && (fmt & chars_format::fixed) != chars_format::fixed;
    bool exponent = false;
    if (mayExponent && p < last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q < last && (*q == '+' || *q == '-')) ++q;
        if (q < last && *q >= '0' && *q <= '9') {
            while (q < last && *q >= '0' && *q <= '9') ++q;
            p = q;
            exponent = true;
        }
    }
    if (mustExponent && !exponent) return {first, errc::invalid_argument};
    // Most numbers of the catalogue have few digits: up to 2^53 as a whole number and a
    // power of ten up to 1e22 are both exact doubles, so one division or multiplication
    // rounds the quotient correctly, the value strtod gives. The library's strtod works in
    // emulated long double here, many times slower; it takes the other numbers.
    {
        unsigned long long mantissa = 0;
        int significant = 0, scale = 0;
        const char* q = digitsStart;
        bool fraction = false, fits = true;
        for (; q < p && *q != 'e' && *q != 'E'; ++q) {
            if (*q == '.') {
                fraction = true;
                continue;
            }
            if (fraction) --scale;
            if (mantissa == 0 && *q == '0') continue;
            if (++significant > 15) fits = false;
            mantissa = mantissa * 10 + static_cast<unsigned>(*q - '0');
        }
        if (q < p) {  // The exponent's digits, a few at most for the fast path.
            ++q;
            const bool down = *q == '-';
            if (*q == '+' || *q == '-') ++q;
            int e = 0;
            for (; q < p; ++q) {
                if (e > 1000)
                    fits = false;
                else
                    e = e * 10 + (*q - '0');
            }
            scale += down ? -e : e;
        }
        if (fits && scale >= -22 && scale <= 22) {
            constexpr double Powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
            const auto m = static_cast<double>(mantissa);
            const double magnitude = scale < 0 ? m / Powers[-scale] : m * Powers[scale];
            value = *first == '-' ? -magnitude : magnitude;
            return {p, errc{}};
        }
    }
    const string text(first, p);
    errno = 0;
    const double parsed = strtod(text.c_str(), nullptr);
    if (errno == ERANGE) return {p, errc::result_out_of_range};
    value = parsed;
    return {p, errc{}};
}

}  // namespace std

#endif
