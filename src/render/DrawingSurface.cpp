#include "render/DrawingSurface.h"

#include <cmath>
#include <cstdio>

#include "core/Convert.h"

Colour GreyColour(double level) {
    const std::int16_t g = Round16(level);
    return Checked32(static_cast<std::int64_t>(g) + 256 * static_cast<std::int64_t>(g) +
                     65536 * static_cast<std::int64_t>(g));
}

namespace {
std::string FormatNumber(double value) {
    char digits[64];
    const double magnitude = std::fabs(value);
    if (magnitude == std::floor(magnitude) && magnitude < 1e15) {
        std::snprintf(digits, sizeof digits, "%.0f", magnitude);
    } else {
        std::snprintf(digits, sizeof digits, "%.15g", magnitude);
    }
    return std::string(std::signbit(value) && value != 0 ? "-" : " ") + digits + " ";
}
}  // namespace

std::string FormatPrintLine(std::initializer_list<PrintItem> items) {
    std::string line;
    for (const PrintItem& item : items) {
        if (const double* number = std::get_if<double>(&item)) {
            line += FormatNumber(*number);
        } else {
            line += std::get<std::string>(item);
        }
    }
    return line;
}

float DrawingSurface::TextAdvance(const std::string& text) {
    float width = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            width += 0.5f * LineHeight();
        else if (c >= 0xC0)
            width += LineHeight();
    }
    return width;
}
