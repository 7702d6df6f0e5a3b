#pragma once
// What each user event must do to the state, worked out without the engine's
// procedures; shared by the random event runs of the headless window and of
// the Qt window.

#include <cstdint>
#include <cstdlib>

#include "time/Clock.h"

struct EventModel {
    std::int32_t MinuteOfYear = 0;
    int Month = 1, DayIndex = 0, Hour = 0, Minute = 0;
    double LimitMag = 3.5;
    int TimeStep = 5;
    int Dragging = 0;
    int Azimuth = 0, Longitude = 135, Elevation = 10;
    double PoleAngle = 125;

    void Split() {
        if (MinuteOfYear >= 525600) MinuteOfYear -= 525600;
        const int day = MinuteOfYear / 1440;
        int month = 12;
        while (MonthStartDay[month - 1] > day) --month;
        Month = month;
        DayIndex = day - MonthStartDay[month - 1];
        Hour = (MinuteOfYear - day * 1440) / 60;
        Minute = MinuteOfYear - day * 1440 - Hour * 60;
    }
    void Compose() {
        MinuteOfYear = (MonthStartDay[Month - 1] + DayIndex) * 1440 + Hour * 60 + Minute;
    }

    // A time list's choice while idle: store the field, compose and split.
    void ChooseTime(int list, int index) {
        (list == 3   ? Month
         : list == 4 ? DayIndex
         : list == 5 ? Hour
                     : Minute) = list == 3 ? index + 1 : index;
        Compose();
        Split();
    }
};

inline long EventsFromEnvironment(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr ? std::strtol(text, nullptr, 10) : fallback;
}
