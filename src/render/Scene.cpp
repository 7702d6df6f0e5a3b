#include "render/Scene.h"

#include "time/Clock.h"

Scene SceneOf(const Sky& sky, const Moment& moment, const View& view) {
    return {sky, moment, view, ProjectionOf(moment, view), SiderealAngleOf(moment)};
}
