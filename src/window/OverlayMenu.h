#pragma once
// The lesson overlays' items of the 表示 menu: one checkable item per overlay and the
// trail span's choice, named as the table of settings names them (core/Settings.h),
// each bound to the overlay's flag in OverlaySet.

#include <QObject>
#include <array>
#include <functional>

#include "core/Settings.h"
#include "core/View.h"

class QAction;
class QMenu;

// An overlay's item: the setting that names it and the flag it switches.
struct OverlayMenuItem {
    Setting Id;
    bool OverlaySet::*Flag;
};

// 昼の空 colours only the ground views: the 地上から見た空 window offers it, not 表示.
constexpr bool InOverlayMenu(Setting id) { return IsOverlay(id) && id != Setting::Daylight; }

// In the table's order of overlays; the 星の軌跡の時間 submenu follows 星の軌跡.
inline constexpr std::array<OverlayMenuItem, OverlayCount - 1> OverlayMenuItems = [] {
    std::array<OverlayMenuItem, OverlayCount - 1> items{};
    std::size_t i = 0;
    for (int id = static_cast<int>(FirstOverlay); id <= static_cast<int>(LastOverlay); ++id) {
        if (InOverlayMenu(static_cast<Setting>(id)))
            items[i++] = {static_cast<Setting>(id), OverlayFlag(static_cast<Setting>(id))};
    }
    return items;
}();

// The items, added to a menu. Each toggle hands the whole new OverlaySet to change (the
// window's: the session's SetOverlays, which redraws both chart surfaces at once, as
// every other setting does); the menu keeps no overlay state of its own and reads the
// session's through current.
class OverlayMenu final : public QObject {
    Q_OBJECT

public:
    // Adds a separator and the items at the end of menu, the trails' span checked as
    // current() has it.
    OverlayMenu(QMenu& menu, std::function<OverlaySet()> current,
                std::function<void(const OverlaySet&)> change);

    // The overlays' items in OverlayMenuItems' order, and the trails' span
    // ("星の軌跡の時間"), one item per value of Setting::TrailHours.
    std::array<QAction*, OverlayMenuItems.size()> Actions{};
    QMenu* TrailHoursMenu = nullptr;
    std::array<QAction*, 6> TrailHourActions{};

private:
    void Change(const std::function<void(OverlaySet&)>& edit);
    std::function<OverlaySet()> Current;
    std::function<void(const OverlaySet&)> Apply;
};
