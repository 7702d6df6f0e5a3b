#pragma once
// A moment and a place: the model clock's date and time and the observer's
// longitude and latitude. What follows from them (the sidereal epoch of the
// longitude, the sidereal angle) is worked out from these fields by the clock
// (time/Clock.h), never stored beside them.

#include <cstdint>

struct Moment {
    std::int32_t MinuteOfYear = 0;  // Minutes since 1 January 00:00 zone time; 0..525599 after
                                    // SplitMinuteOfYear.
    // The calendar fields, as the time lists hold them: ComposeMinuteOfYear makes the clock
    // from them, SplitMinuteOfYear them from the clock.
    std::int16_t Month = 0;     // 1..12.
    std::int32_t DayIndex = 0;  // Day of the month minus one, 0..30.
    double Hour = 0.0;          // Whole number 0..23, held as a double.
    double Minute = 0.0;        // Whole number 0..59, held as a double.
    double Longitude = 0.0;     // Degrees, east positive (120..150 from the longitude bar).
    double PoleAngle = 0.0;     // 90 + latitude, degrees: 0 at the south pole, 180 at the north.
    // The calendar year the clock's date is taken in, 2000..2100: the Sun, the Moon and the
    // planets of that date, and the sidereal angle corrected by that year's real sidereal
    // time (time/Clock.h); a leap year's clock has 29 February.
    std::int16_t Year = 2026;
};
