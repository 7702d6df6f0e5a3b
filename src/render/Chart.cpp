#include "render/Chart.h"

#include "render/DrawingSurface.h"
#include "render/Frame.h"
#include "render/Overlays.h"
#include "render/Stars.h"
#include "time/Clock.h"

Scene SceneOf(const Sky& sky, const Moment& moment, const View& view) {
    Scene scene{sky, moment, view, ProjectionOf(moment, view), SiderealAngleOf(moment)};
    if (view.Overlays.AnyBody()) scene.Bodies = BodiesOfScene(scene);
    return scene;
}

BodiesNow BodiesOfScene(const Scene& scene) {
    return BodiesAt(JulianDateOfClock(scene.At.Year, scene.At.MinuteOfYear),
                    scene.At.PoleAngle - 90, scene.SiderealAngle);
}

void DrawChart(const Sky& sky, const Moment& moment, const View& view, DrawingSurface& S,
               ChartCache& cache, std::vector<PlottedStar>* stars) {
    const Scene scene = SceneOf(sky, moment, view);
    // The kept overlay drawing first: the frame's key names it.
    KeepOverlayShapes(scene, cache.Shapes, S);
    ClearAndDrawFrame(scene.Proj, cache.Shapes.Layer, S);
    DrawOverlaysUnderStars(scene, S);
    PlotStars(scene, S, stars);
    DrawOverlaysOverStars(scene, cache.Shapes, S);
}
