#pragma once
// What each user event must do to the state, worked out without the engine's
// procedures; shared by the random event runs of the headless window and of
// the Qt window.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "render/DrawingSurface.h"
#include "render/RasterSurface.h"
#include "session/Controls.h"
#include "session/WindowState.h"
#include "support/TestSky.h"
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

// What differs between the state and the model, and the read-outs and what they must
// show; empty when everything agrees. Both random event runs check each event with it.
inline std::string ModelMismatch(const WindowState& State, const SkyControls& Ui,
                                 const EventModel& M) {
    const Moment& Sky = State.Moment;
    const View& view = State.View;
    auto same = [](double a, double b) { return a == b; };
    const struct {
        const char* Name;
        double Actual, Expected;
    } fields[] = {
        {"MinuteOfYear", double(Sky.MinuteOfYear), double(M.MinuteOfYear)},
        {"Month", double(Sky.Month), double(M.Month)},
        {"DayIndex", double(Sky.DayIndex), double(M.DayIndex)},
        {"Hour", Sky.Hour, double(M.Hour)},
        {"Minute", Sky.Minute, double(M.Minute)},
        {"LimitMag", view.LimitMag, M.LimitMag},
        {"TimeStep", double(State.TimeStep), double(M.TimeStep)},
        {"Dragging", double(State.Dragging), double(M.Dragging)},
        {"ViewAzimuth", double(view.Azimuth), double(M.Azimuth)},
        {"Longitude", Sky.Longitude, double(M.Longitude)},
        {"ViewElevation", double(view.Elevation), double(M.Elevation)},
        {"PoleAngle", Sky.PoleAngle, M.PoleAngle},
    };
    if (State.BufferIndex != 0 && State.BufferIndex != 1) return "BufferIndex out of 0..1";
    for (const auto& field : fields) {
        if (!same(field.Actual, field.Expected)) {
            return std::string(field.Name) + " " + std::to_string(field.Actual) + ", model " +
                   std::to_string(field.Expected);
        }
    }
    const struct {
        const char* Name;
        const DrawingSurface* Surface;
        double Value;
    } readouts[] = {
        {"azimuth read-out", Ui.AzimuthReadout, double(M.Azimuth)},
        {"latitude read-out", Ui.LatitudeReadout, M.PoleAngle - 90},
        {"elevation read-out", Ui.ElevationReadout, double(-M.Elevation)},
        {"longitude read-out", Ui.LongitudeReadout, double(M.Longitude)},
    };
    for (const auto& readout : readouts) {
        const auto* raster = dynamic_cast<const RasterSurface*>(readout.Surface);
        if (raster == nullptr || !(raster->Picture() == ReadoutWith(FormatPrintLine(
                                                            {readout.Value, std::string("°")})))) {
            return std::string(readout.Name) + " does not show " + std::to_string(readout.Value);
        }
    }
    return {};
}

inline long EventsFromEnvironment(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr ? std::strtol(text, nullptr, 10) : fallback;
}
