#include "render/Chart.h"

#include <algorithm>

#include "render/DrawingSurface.h"
#include "render/Frame.h"
#include "render/Ground.h"
#include "render/LabelFont.h"
#include "render/Overlays.h"
#include "render/Stars.h"

void DrawChart(const Sky& sky, const Moment& moment, const View& view, DrawingSurface& S,
               ChartCache& cache, std::vector<PlottedStar>* stars, LabelOutcome* labels) {
    // A ground view's daytime sky leaves fewer stars: its view says how many.
    Colour daySky = Black;
    const View seen = GroundViewOf(view, moment, daySky);
    const Scene scene = SceneOf(sky, moment, seen, &cache.Bodies);
    S.Inks = view.Palette;
    // Every label in the label font at the chart's size, but the dome's compass letters.
    const LabelTextScope labelText(S,
                                   LabelTextPixels(std::min(S.Width(), S.Height()), S.DrawScale));
    // The kept overlay drawing first: the frame's key names it.
    KeepOverlayShapes(scene, cache.Shapes, S);
    if (view.Kind == ViewKind::Dome) {
        const LabelTextScope compass(S, CompassText(S));
        ClearAndDrawFrame(scene.Proj, cache.Shapes.Layer, S, scene.Look.Overlays.Trails);
    } else {
        ClearAndDrawGroundFrame(scene.Proj, daySky, cache.Shapes.Layer, S);
    }
    DrawOverlaysUnderStars(scene, cache.Trails, cache.GroundTrails, S);
    PlotStars(scene, S, stars);
    DrawOverlaysOverStars(scene, cache.Shapes, S, labels);
}
