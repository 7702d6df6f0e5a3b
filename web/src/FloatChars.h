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
    (void)digitsStart;
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
    const string text(first, p);
    errno = 0;
    const double parsed = strtod(text.c_str(), nullptr);
    if (errno == ERANGE) return {p, errc::result_out_of_range};
    value = parsed;
    return {p, errc{}};
}

}  // namespace std

#endif
