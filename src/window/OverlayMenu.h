#pragma once
// The lesson overlays' items of the 表示 menu: one checkable item per overlay and the
// trail span's choice, each bound to the overlay's flag in the view's OverlaySet.

#include <array>

#include "core/View.h"

// An overlay's item: its text in the menu and the flag it switches.
struct OverlayMenuItem {
    const char* Text;
    bool OverlaySet::*Flag;
};

// In the order the menu shows them; the 星の軌跡の時間 submenu follows 星の軌跡.
inline constexpr std::array<OverlayMenuItem, 9> OverlayMenuItems{{
    {"太陽と日周経路", &OverlaySet::Sun},
    {"季節の太陽の通り道", &OverlaySet::Seasons},
    {"天の北極と天の赤道", &OverlaySet::Circles},
    {"星の軌跡", &OverlaySet::Trails},
    {"星座線", &OverlaySet::Constellations},
    {"星座名", &OverlaySet::Names},
    {"月", &OverlaySet::Moon},
    {"惑星", &OverlaySet::Planets},
    {"宇宙から見た図", &OverlaySet::Space},
}};
