// The 表示 menu's overlay items. Each toggle hands the whole new OverlaySet to the
// session's SetOverlays, which redraws both chart surfaces at once, as every other
// setting does; the window keeps no overlay state of its own.

#include "OverlayMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QInputDialog>
#include <QMenu>
#include <iterator>

#include "MainWindow.h"
#include "geometry/Trails.h"
#include "session/Handlers.h"

void MainWindow::CreateOverlayItems() {
    const auto change = [this](auto edit) {
        OverlaySet overlays = State->View.Overlays;
        edit(overlays);
        SetOverlays(*State, Ui, overlays);
    };
    ViewMenu->addSeparator();
    for (std::size_t i = 0; i < OverlayMenuItems.size(); ++i) {
        const OverlayMenuItem item = OverlayMenuItems[i];
        OverlayActions[i] = AddViewOption(QString::fromUtf8(item.Text), [change, item](bool on) {
            change([&](OverlaySet& overlays) { overlays.*item.Flag = on; });
        });
        if (item.Flag != &OverlaySet::Trails) continue;
        // The trails' span: a choice of one, so the items are exclusive; 12 hours at start.
        TrailHoursMenu = ViewMenu->addMenu(QStringLiteral("星の軌跡の時間"));
        auto* group = new QActionGroup(TrailHoursMenu);
        for (std::size_t h = 0; h < std::size(TrailHourChoices); ++h) {
            const int hours = TrailHourChoices[h];
            QAction* action = TrailHoursMenu->addAction(QStringLiteral("%1時間").arg(hours));
            action->setCheckable(true);
            action->setChecked(hours == State->View.Overlays.TrailHours);
            action->setActionGroup(group);
            connect(action, &QAction::toggled, this, [change, hours](bool on) {
                if (on) change([&](OverlaySet& overlays) { overlays.TrailHours = hours; });
            });
            TrailHourActions[h] = action;
        }
    }
    // The year of the Moon and the planets: a small dialog, so that no control moves.
    YearAction = ViewMenu->addAction(QStringLiteral("年…"));
    connect(YearAction, &QAction::triggered, this, [this] {
        bool accepted = false;
        const int year = QInputDialog::getInt(this, QStringLiteral("年"),
                                              QStringLiteral("太陽・月・惑星と星空の年"),
                                              State->Moment.Year, 2000, 2100, 1, &accepted);
        if (accepted) SetYear(*State, Ui, year);
    });
}
