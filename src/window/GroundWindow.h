#pragma once
// 地上から見た空: a second window beside the main one with the chart's sky seen from the
// ground (全天 or 地平, its own small choice, and 昼の空), drawn by the same chart call from
// the main window's sky, moment and view after each of its redraws while it is open. The
// main window's controls stay as they are; this window only follows them.

#include <QImage>
#include <QWidget>
#include <memory>

#include "core/View.h"
#include "render/Chart.h"
#include "render/LabelFont.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QtGlyphSource;
class RasterSurface;
struct Moment;
struct Sky;

class GroundWindow final : public QWidget {
    Q_OBJECT

public:
    // labels: the charts' label font, which must outlive the window.
    GroundWindow(QWidget* parent, const LabelFont* labels);
    ~GroundWindow() override;
    // Draws the ground view of the main window's sky, moment and view, where any changed.
    void Follow(const Sky& sky, const Moment& moment, const View& view);
    const QImage& Picture() const { return Shown; }
    ViewKind Kind() const;

    QComboBox* KindList = nullptr;     // 全天 / 地平.
    QCheckBox* DaylightBox = nullptr;  // 昼の空.

private:
    void Draw();
    QLabel* Chart = nullptr;
    std::unique_ptr<QtGlyphSource> Text;
    std::unique_ptr<RasterSurface> Surface;
    ChartCache Cache;
    QImage Shown;
    // The last inputs followed, to draw again when this window's own choice changes.
    const Sky* FollowedSky = nullptr;
    std::unique_ptr<Moment> FollowedMoment;
    View FollowedView;
};
