// The web toolchain: C++20 as the engine uses it, exceptions that reach a
// handler, and the decimal parsing that FloatChars.h supplies, agreeing with
// the desktop's from_chars on the forms the StarData loader meets.
#include <gtest/gtest.h>

#include <compare>
#include <numbers>
#include <stdexcept>
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

TEST(WebToolchain, CarriesExceptionsAndCpp20) {
    EXPECT_THROW(throw std::runtime_error("x"), std::runtime_error);
    EXPECT_TRUE((1 <=> 2) < 0);
    EXPECT_EQ(std::numbers::pi, 3.141592653589793);
}
