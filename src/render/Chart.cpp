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

namespace {
// SceneOf with the bodies worked out from the cache's kept series: once per step.
Scene CachedSceneOf(const Sky& sky, const Moment& moment, const View& view, ChartCache& cache) {
    Scene scene{sky, moment, view, ProjectionOf(moment, view), SiderealAngleOf(moment)};
    if (view.Overlays.AnyBody()) scene.Bodies = BodiesOfScene(scene, &cache.Bodies);
    return scene;
}
}  // namespace

BodiesNow BodiesOfScene(const Scene& scene, BodyTables* tables) {
    const double jd = JulianDateOfClock(scene.At.Year, scene.At.MinuteOfYear);
    const double latitude = scene.At.PoleAngle - 90;
    if (tables != nullptr) return BodiesAt(jd, latitude, scene.SiderealAngle, *tables);
    return BodiesAt(jd, latitude, scene.SiderealAngle);
}

void DrawChart(const Sky& sky, const Moment& moment, const View& view, DrawingSurface& S,
               ChartCache& cache, std::vector<PlottedStar>* stars) {
    const Scene scene = CachedSceneOf(sky, moment, view, cache);
    // The kept overlay drawing first: the frame's key names it.
    KeepOverlayShapes(scene, cache.Shapes, S);
    ClearAndDrawFrame(scene.Proj, cache.Shapes.Layer, S);
    DrawOverlaysUnderStars(scene, S);
    PlotStars(scene, S, stars);
    DrawOverlaysOverStars(scene, cache.Shapes, S);
}
