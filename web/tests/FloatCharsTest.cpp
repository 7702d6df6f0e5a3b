// The web toolchain: C++20 as the engine uses it, exceptions that reach a
// handler, and the decimal parsing that FloatChars.h supplies, agreeing with
// the desktop's from_chars on the forms the StarData loader meets.
#include <gtest/gtest.h>

#include <compare>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

#include "FloatChars.h"

namespace {
struct Parsed {
    std::string_view Text;
    double Value;  // Expected; NaN-free, so == is exact.
    std::size_t Used;
    std::errc Error;
};
// Rows where a prefix, a boundary or an error decides the result.
constexpr Parsed FloatRows[] = {
    {"12.5", 12.5, 4, std::errc{}},
    {"-0.25e3", -250.0, 7, std::errc{}},
    {"1e", 1.0, 1, std::errc{}},    // A bare 'e' is not an exponent.
    {"0x10", 0.0, 1, std::errc{}},  // No hexadecimal.
    {".5", 0.5, 2, std::errc{}},
    {"3.", 3.0, 2, std::errc{}},
    {"0.1", 0.1, 3, std::errc{}},  // Correct rounding.
    {"1e400", -99.0, 5, std::errc::result_out_of_range},
    {"abc", -99.0, 0, std::errc::invalid_argument},
    {"+1", -99.0, 0, std::errc::invalid_argument},  // The loader strips signs itself.
};
}  // namespace

TEST(WebToolchain, ParsesDecimalsAsTheDesktopDoes) {
    for (const auto& row : FloatRows) {
        double value = -99.0;
        const auto [end, error] =
            std::from_chars(row.Text.data(), row.Text.data() + row.Text.size(), value);
        EXPECT_EQ(error, row.Error) << row.Text;
        EXPECT_EQ(value, row.Value) << row.Text;
        if (error != std::errc::invalid_argument) {
            EXPECT_EQ(static_cast<std::size_t>(end - row.Text.data()), row.Used) << row.Text;
        }
    }
}

// The quick path for short decimals against the library's strtod, bit for bit: random
// numbers with up to 18 digits around the point, some with exponents and leading zeros.
TEST(WebToolchain, ShortDecimalsRoundAsStrtodDoes) {
    std::mt19937 random(13);
    for (int i = 0; i < 20000; ++i) {
        std::string text = random() % 4 == 0 ? "-" : "";
        const int whole = static_cast<int>(random() % 10),
                  fraction = static_cast<int>(random() % 10);
        for (int k = 0; k < whole; ++k) text += static_cast<char>('0' + random() % 10);
        text += '.';
        for (int k = 0; k < fraction; ++k) text += static_cast<char>('0' + random() % 10);
        if (whole + fraction == 0) text += '0';
        if (random() % 3 == 0) text += "e" + std::to_string(static_cast<int>(random() % 61) - 30);
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text;
    }
}

TEST(WebToolchain, CarriesExceptionsAndCpp20) {
    EXPECT_THROW(throw std::runtime_error("x"), std::runtime_error);
    EXPECT_TRUE((1 <=> 2) < 0);
    EXPECT_EQ(std::numbers::pi, 3.141592653589793);
}
