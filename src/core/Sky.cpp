#include "core/Sky.h"

#include <cmath>

void DerivePolarValues(Sky& sky) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(StarCount); ++i) {
        const double polarDist = ((90 - sky.StarDec[i]) * ChartPi) / 180;
        sky.PolarDistRad[i] = polarDist;
        sky.SinPolarDist[i] = std::sin(polarDist);
        sky.CosPolarDist[i] = std::cos(polarDist);
        const double raRad = (sky.StarRA[i] * ChartPi) / 180;
        sky.UnitX[i] = sky.SinPolarDist[i] * std::cos(raRad);
        sky.UnitY[i] = sky.SinPolarDist[i] * std::sin(raRad);
    }
}
