#pragma once
// Counting the redraws of a started main window: RedrawSky brings the surface it
// drew last time to the front once per run, so each BringToFront is one redraw.

#include "MainWindow.h"

inline void CountRedraws(MainWindow& window, int& redraws) {
    for (int index : {0, 1}) {
        RasterSurface& surface = window.ChartSurface(index);
        surface.OnBringToFront = [&redraws, raise = surface.OnBringToFront](RasterSurface& s) {
            ++redraws;
            raise(s);
        };
    }
}
