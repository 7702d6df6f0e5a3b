#include "time/Clock.h"

#include <cmath>

#include "core/Convert.h"
#include "core/SkyState.h"

void ComputeSiderealEpoch(SkyState& Sky) {
    const double L = Sky.Longitude / 15;          // Hours.
    const double S = 24 - (GmstAtYearStart + L);  // Sidereal hours until local sidereal 24 h.
    Sky.EpochMinute = (S / SiderealRatio + ZoneOffsetHours) * 60;
}

void ComposeMinuteOfYear(SkyState& Sky) {
    std::int32_t days = 0;
    if (Sky.Month >= 1 && Sky.Month <= 12) {
        days = Round32(static_cast<double>(MonthStartDay[Sky.Month - 1]) + Sky.DayIndex);
    }
    const std::int32_t dayMinutes = Checked32(static_cast<std::int64_t>(days) * 1440);
    Sky.MinuteOfYear = Round32((dayMinutes + Sky.Hour * 60) + Sky.Minute);
}

namespace {
struct MonthRange {
    std::int32_t FirstDay, LastDay;
    std::int16_t Month;
};
constexpr MonthRange MonthRanges[12] = {
    {0, 30, 1},    {31, 58, 2},   {59, 89, 3},   {90, 119, 4},   {120, 150, 5},  {151, 180, 6},
    {181, 211, 7}, {212, 242, 8}, {243, 272, 9}, {273, 303, 10}, {304, 333, 11}, {334, 364, 12},
};
}  // namespace

void SplitMinuteOfYear(SkyState& Sky) {
    if (Sky.MinuteOfYear >= MinutesPerYear) Sky.MinuteOfYear -= MinutesPerYear;  // The only wrap.
    const double day = std::floor(static_cast<double>(Sky.MinuteOfYear) / 24 / 60);
    const std::int32_t d = Round32(day);
    for (const MonthRange& range : MonthRanges) {
        if (d >= range.FirstDay && d <= range.LastDay) {
            Sky.Month = range.Month;
            Sky.DayIndex = d - range.FirstDay;
            break;
        }
    }
    const std::int32_t rem = Checked32(static_cast<std::int64_t>(Sky.MinuteOfYear) -
                                       static_cast<std::int64_t>(d) * 1440);
    Sky.Hour = std::floor(static_cast<double>(rem) / 60);
    Sky.Minute = rem - Sky.Hour * 60;
}

void UpdateSiderealAngle(SkyState& Sky) {
    Sky.SiderealAngle = (Sky.MinuteOfYear - Sky.EpochMinute) * SiderealRate;
}
