#include "OverlayMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace {
static_assert(ValueCount(SettingOf(Setting::TrailHours)) == 6);
}  // namespace

OverlayMenu::OverlayMenu(QMenu& menu, std::function<OverlaySet()> current,
                         std::function<void(const OverlaySet&)> change)
    : QObject(&menu), Current(std::move(current)), Apply(std::move(change)) {
    menu.addSeparator();
    for (std::size_t i = 0; i < OverlayMenuItems.size(); ++i) {
        const OverlayMenuItem item = OverlayMenuItems[i];
        QAction* action = menu.addAction(QString::fromUtf8(SettingOf(item.Id).Caption));
        action->setCheckable(true);
        action->setChecked(false);
        connect(action, &QAction::toggled, this, [this, item](bool on) {
            Change([&](OverlaySet& overlays) { overlays.*item.Flag = on; });
        });
        Actions[i] = action;
        if (item.Id != Setting::Trails) continue;
        // The trails' span: a choice of one, so the items are exclusive.
        const SettingSpec& span = SettingOf(Setting::TrailHours);
        TrailHoursMenu = menu.addMenu(QString::fromUtf8(span.Caption));
        auto* group = new QActionGroup(TrailHoursMenu);
        const int checked = Current().TrailHours;
        for (int h = 0; h < ValueCount(span); ++h) {
            const int hours = ValueAt(span, h);
            QAction* choice =
                TrailHoursMenu->addAction(QString::fromUtf8(ValueText(span, hours) + span.Unit));
            choice->setCheckable(true);
            choice->setChecked(hours == checked);
            choice->setActionGroup(group);
            connect(choice, &QAction::toggled, this, [this, hours](bool on) {
                if (on) Change([&](OverlaySet& overlays) { overlays.TrailHours = hours; });
            });
            TrailHourActions[static_cast<std::size_t>(h)] = choice;
        }
    }
}

void OverlayMenu::Change(const std::function<void(OverlaySet&)>& edit) {
    OverlaySet overlays = Current();
    edit(overlays);
    Apply(overlays);
}
