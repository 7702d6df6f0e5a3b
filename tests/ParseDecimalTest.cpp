// ParseDecimal against the C++ library's from_chars (the desktop) or the C library's
// strtod (the browser, whose C++ library has no from_chars for doubles), bit for bit.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "core/ParseDecimal.h"

namespace {
struct Parsed {
    std::string_view Text;
    double Value;  // Expected; -99 where the value must stay untouched.
    std::size_t Used;
    std::errc Error;
};
// Rows where a prefix, a boundary, the slow path or an error decides the result.
constexpr Parsed Rows[] = {
    {"12.5", 12.5, 4, std::errc{}},
    {"-0.25e3", -250.0, 7, std::errc{}},
    {"1e", 1.0, 1, std::errc{}},       // A bare 'e' is not an exponent.
    {"2E+2,", 200.0, 4, std::errc{}},  // The field's end is the caller's to check.
    {"0x10", 0.0, 1, std::errc{}},     // No hexadecimal.
    {".5", 0.5, 2, std::errc{}},
    {"3.", 3.0, 2, std::errc{}},
    {"0.1", 0.1, 3, std::errc{}},  // Correct rounding.
    {"1e22", 1e22, 4, std::errc{}},
    {"1e23", 1e23, 4, std::errc{}},                             // Past the exact powers.
    {"9007199254740993", 9007199254740992.0, 16, std::errc{}},  // 2^53 + 1: ties to even.
    {"0.1000000000000000055511151231257827", 0.1, 36, std::errc{}},
    {"1e400", -99.0, 5, std::errc::result_out_of_range},
    {"abc", -99.0, 0, std::errc::invalid_argument},
    {".", -99.0, 0, std::errc::invalid_argument},
    {"+1", -99.0, 0, std::errc::invalid_argument},  // The callers take signs themselves.
    {"nan", -99.0, 0, std::errc::invalid_argument},
    {"inf", -99.0, 0, std::errc::invalid_argument},
};

// The library's own reading of the whole text, to compare with.
double LibraryValue(const std::string& text) {
#if defined(__cpp_lib_to_chars)
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
#else
    return std::strtod(text.c_str(), nullptr);
#endif
}
}  // namespace

TEST(ParseDecimal, TakesTheDecimalPrefixAndRefusesTheRest) {
    for (const Parsed& row : Rows) {
        double value = -99.0;
        const DecimalParse parsed =
            ParseDecimal(row.Text.data(), row.Text.data() + row.Text.size(), value);
        EXPECT_EQ(parsed.Error, row.Error) << row.Text;
        EXPECT_EQ(value, row.Value) << row.Text;
        if (parsed.Error != std::errc::invalid_argument) {
            EXPECT_EQ(static_cast<std::size_t>(parsed.End - row.Text.data()), row.Used) << row.Text;
        }
    }
    double zero = 1.0;
    const std::string_view minusZero = "-0.0";
    ParseDecimal(minusZero.data(), minusZero.data() + minusZero.size(), zero);
    EXPECT_TRUE(zero == 0.0 && std::signbit(zero));
}

// Random numbers with up to 19 digits around the point, some with exponents and leading
// zeros: the short ones take the quick path, the long ones the library's.
TEST(ParseDecimal, RoundsAsTheLibraryDoes) {
    std::mt19937 random(13);
    for (int i = 0; i < 20000; ++i) {
        std::string text = random() % 4 == 0 ? "-" : "";
        const int whole = static_cast<int>(random() % 10),
                  fraction = static_cast<int>(random() % 10);
        for (int k = 0; k < whole; ++k) text += static_cast<char>('0' + random() % 10);
        text += '.';
        for (int k = 0; k < fraction; ++k) text += static_cast<char>('0' + random() % 10);
        if (whole + fraction == 0) text += '0';
        if (random() % 3 == 0) {
            text += 'e';
            text += std::to_string(static_cast<int>(random() % 61) - 30);
        }
        double value = 0;
        const DecimalParse parsed = ParseDecimal(text.data(), text.data() + text.size(), value);
        ASSERT_EQ(parsed.End, text.data() + text.size()) << text;
        const double expected = LibraryValue(text);
        ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text;
    }
}
