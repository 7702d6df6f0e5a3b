#pragma once
// The number fields of the catalogue files: an optional sign, then a decimal
// number with a period as the decimal point (an exponent is allowed), and
// nothing else. Each loader decides which readings it refuses and how it
// names the field in its message.

#include <string>
#include <system_error>

#include "core/ParseDecimal.h"

struct DecimalField {
    bool Plain = false;             // The whole text is a number of that form.
    std::errc Error = std::errc();  // What ParseDecimal said of the part after the sign.
    double Magnitude = 0.0;         // The value without its sign.
    bool Negative = false;          // A leading minus sign.
};

inline DecimalField ReadDecimal(const std::string& text) {
    DecimalField field;
    const char* first = text.data();
    const char* const last = text.data() + text.size();
    if (first < last && (*first == '+' || *first == '-')) {
        field.Negative = *first == '-';
        ++first;
    }
    const bool startsWithDigit =
        first < last && ((*first >= '0' && *first <= '9') || *first == '.');
    const auto [end, error] = ParseDecimal(first, last, field.Magnitude);
    field.Error = error;
    field.Plain = startsWithDigit && error != std::errc::invalid_argument && end == last;
    return field;
}
