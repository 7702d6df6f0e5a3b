#include "render/Scene.h"

#include "time/Clock.h"

Scene SceneOf(const Sky& sky, const Moment& moment, const View& view, BodyTables* tables) {
    Scene scene{sky, moment, view, ProjectionOf(moment, view), SiderealAngleOf(moment)};
    if (view.Overlays.AnyBody()) scene.Bodies = BodiesOfScene(scene, tables);
    return scene;
}

BodiesNow BodiesOfScene(const Scene& scene, BodyTables* tables) {
    const double jd = JulianDateOfClock(scene.At.Year, scene.At.MinuteOfYear);
    const double latitude = scene.At.PoleAngle - 90;
    if (tables != nullptr) return BodiesAt(jd, latitude, scene.SiderealAngle, *tables);
    return BodiesAt(jd, latitude, scene.SiderealAngle);
}
