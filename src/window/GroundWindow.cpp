#include "GroundWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/Moment.h"
#include "core/Settings.h"
#include "qttext/QtText.h"
#include "render/RasterSurface.h"

namespace {
constexpr int GroundSide = 408;  // The chart's side, pixels: the main chart's at start-up.
}

GroundWindow::GroundWindow(QWidget* parent, const LabelFont* labels)
    : QWidget(parent, Qt::Tool), Text(std::make_unique<QtGlyphSource>(ChartFont())) {
    setWindowTitle(QStringLiteral("地上から見た空"));
    setObjectName(QStringLiteral("GroundWindow"));
    auto* layout = new QVBoxLayout(this);
    auto* choices = new QHBoxLayout;
    KindList = new QComboBox(this);
    KindList->setObjectName(QStringLiteral("GroundKindList"));
    // The view setting's ground items, in ViewKind's order after the dome.
    for (std::size_t k = 1; k < std::size(ViewCaptions); ++k)
        KindList->addItem(QString::fromUtf8(ViewCaptions[k]));
    DaylightBox = new QCheckBox(QString::fromUtf8(SettingOf(Setting::Daylight).Caption), this);
    choices->addWidget(KindList);
    choices->addWidget(DaylightBox);
    choices->addStretch();
    layout->addLayout(choices);
    Chart = new QLabel(this);
    Chart->setFixedSize(GroundSide, GroundSide);
    layout->addWidget(Chart);
    Surface = std::make_unique<RasterSurface>(GroundSide, GroundSide, Black, *Text);
    Surface->FillStyle = FillStyleKind::Solid;
    Surface->FillColor = White;
    Surface->SetLabelFont(labels);
    connect(KindList, &QComboBox::currentIndexChanged, this, [this] { Draw(); });
    connect(DaylightBox, &QCheckBox::toggled, this, [this] { Draw(); });
}

GroundWindow::~GroundWindow() = default;

ViewKind GroundWindow::Kind() const { return static_cast<ViewKind>(KindList->currentIndex() + 1); }

void GroundWindow::Follow(const Sky& sky, const Moment& moment, const View& view) {
    FollowedSky = &sky;
    FollowedMoment = std::make_unique<Moment>(moment);
    FollowedView = view;
    Draw();
}

void GroundWindow::Draw() {
    if (FollowedSky == nullptr) return;
    View look = FollowedView;
    look.Kind = Kind();
    look.Side = GroundSide;
    look.Overlays.Daylight = DaylightBox->isChecked();
    DrawChart(*FollowedSky, *FollowedMoment, look, *Surface, Cache);
    Shown = ImageOf(*Surface).copy();
    Chart->setPixmap(QPixmap::fromImage(Shown));
}
