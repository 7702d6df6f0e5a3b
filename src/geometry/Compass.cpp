#include "geometry/Compass.h"

#include <cmath>

#include "core/Convert.h"
#include "core/SkyState.h"

void BuildCompassPoints(SkyState& Sky) {
    const double R = Sky.ChartRadius;
    // Theta is 90 degrees minus the latitude, in radians.
    const double theta = Sky.Pi * (180 - Sky.PoleAngle) / 180;
    Sky.CompassX[0] = std::cos(theta) * (-R);  // North.
    Sky.CompassY[0] = 0;
    Sky.CompassZ[0] = Round16(R * std::sin(theta));
    Sky.CompassX[1] = 0;  // West.
    Sky.CompassY[1] = -R;
    Sky.CompassX[2] = std::cos(theta) * R;  // South.
    Sky.CompassY[2] = 0;
    Sky.CompassZ[2] = Round16((-R) * std::sin(theta));
    Sky.CompassX[3] = 0;  // East.
    Sky.CompassY[3] = R;
    Sky.CompassLabels[0] = "北";
    Sky.CompassLabels[1] = "西";
    Sky.CompassLabels[2] = "南";
    Sky.CompassLabels[3] = "東";
}
