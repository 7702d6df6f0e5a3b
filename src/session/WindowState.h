#pragma once
// What one main window holds between events: the sky it shows (shared, never
// changed once loaded), the moment and the view its controls have set, the
// chart cache of its two chart surfaces, and the controls' own values (the
// animation step, the hold, which chart surface was drawn last).

#include <array>
#include <cstdint>
#include <memory>

#include "core/Moment.h"
#include "core/Settings.h"
#include "core/Sky.h"
#include "core/View.h"
#include "render/Chart.h"

struct WindowState {
    // The catalogue: all zero until the start reads the files, then replaced whole.
    std::shared_ptr<const ::Sky> Sky = std::make_shared<const ::Sky>();
    ::Moment Moment;
    ::View View;
    ChartCache Cache;  // For the window's two chart surfaces.

    std::int16_t TimeStep = 0;                 // Minutes added per animation step.
    ::Advance AdvanceBy = ::Advance::Minutes;  // 進め方: TimeStep's minutes, or days or a month.
    std::array<std::int16_t, 7> StepValues{};  // 1, 3, 5, 10, 15, 30 in 0..5; entry 6 never set.
    std::int16_t Dragging = 0;                 // 1 while the animate button is held.
    std::int16_t BufferIndex = 0;  // Chart surface that received the most recent drawing, 0 or 1.

    // 再生 (session/Play.h): the clock running by TimeStep at a steady rate until stopped.
    bool Playing = false;
    int PlayRateIndex = PlayRateStartIndex;  // Into PlayRates.
    double PlayStartMs = 0;                  // The front end's clock when play (re)started, ms.
    std::int64_t PlayStepsDone = 0;          // Steps counted since PlayStartMs, dropped ones too.
};
