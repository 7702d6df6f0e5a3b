// The web toolchain: C++20 as the engine uses it, and exceptions that reach a handler.
// (Its decimals are ParseDecimal's, tested with the engine's tests.)
#include <gtest/gtest.h>

#include <compare>
#include <numbers>
#include <stdexcept>

TEST(WebToolchain, CarriesExceptionsAndCpp20) {
    EXPECT_THROW(throw std::runtime_error("x"), std::runtime_error);
    EXPECT_TRUE((1 <=> 2) < 0);
    EXPECT_EQ(std::numbers::pi, 3.141592653589793);
}
