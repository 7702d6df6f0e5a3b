#include "render/Chart.h"

#include "render/DrawingSurface.h"
#include "render/Frame.h"
#include "render/Overlays.h"
#include "render/Stars.h"

void DrawChart(const Sky& sky, const Moment& moment, const View& view, DrawingSurface& S,
               ChartCache& cache, std::vector<PlottedStar>* stars, LabelOutcome* labels) {
    const Scene scene = SceneOf(sky, moment, view, &cache.Bodies);
    S.Inks = view.Palette;
    // The kept overlay drawing first: the frame's key names it.
    KeepOverlayShapes(scene, cache.Shapes, S);
    ClearAndDrawFrame(scene.Proj, cache.Shapes.Layer, S);
    DrawOverlaysUnderStars(scene, cache.Trails, S);
    PlotStars(scene, S, stars);
    DrawOverlaysOverStars(scene, cache.Shapes, S, labels);
}
