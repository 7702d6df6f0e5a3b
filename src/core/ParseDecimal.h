#pragma once
// The one reader of decimal numbers in the engine (the catalogue files' fields, the
// limiting magnitude of the command lines and the page's address). It gives the same
// double in the desktop build and in the browser's, whose C++ library has no
// from_chars for floating point: the nearest double to the decimal, always.

#include <system_error>

struct DecimalParse {
    const char* End;  // Just past the number taken; first when Error is invalid_argument.
    std::errc Error;  // errc{}, invalid_argument or result_out_of_range.
};

// ParseDecimal: the decimal number at the start of [first, last), as std::from_chars
//   reads one in its general format.
// Reads:   an optional '-', digits with an optional '.' among or after them ("1.", ".5"),
//          then an optional exponent 'e' or 'E' with an optional sign and digits; a bare
//          'e' is not taken ("1e" gives 1 and stops at 'e'). No '+', white space,
//          hexadecimal, inf or nan: those are invalid_argument.
// Writes:  value, the double nearest to the decimal (ties to even), only on success;
//          -0.0 for "-0". Beyond the doubles, or below the least subnormal,
//          result_out_of_range and value untouched.
// Notes:   1) Up to 15 significant digits and a power of ten up to 22: one exact
//             division or multiplication of exact doubles, so correctly rounded. The
//             rest goes to the C library (from_chars where it has one for doubles),
//             which rounds correctly as well; it is many times slower in the browser.
//          2) Independent of the C locale: the decimal point is always '.'.
// Tested:  against std::from_chars (desktop) and strtod (browser) bit for bit, on
//          20 000 random decimals and the rows of ParseDecimalTest.
DecimalParse ParseDecimal(const char* first, const char* last, double& value);
