// Random runs of user events against the window logic, checked against a
// small model of what each event must do. The seed is printed; rerun one with
// DOMARIUM_MODEL_SEED=<seed> (and DOMARIUM_MODEL_EVENTS=<count>).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>

#include "core/RunTimeError.h"
#include "session/Handlers.h"
#include "session/HeadlessWindow.h"
#include "session/Redraw.h"
#include "session/StartUp.h"
#include "support/EventModel.h"
#include "support/TestSky.h"
#include "time/Clock.h"

namespace {
constexpr std::uint64_t DefaultSeed = 20261207;
constexpr long DefaultEvents = 100000;

class EventRun {
public:
    explicit EventRun(std::uint64_t seed) : Random(seed) {
        const auto catalogue = Catalogue;
        W->Load(catalogue);
        Reference->Load(catalogue);
        W->Chart0.OnBringToFront = W->Chart1.OnBringToFront = [this](RasterSurface& s) {
            ++Redraws;
            W->Stack.Front = &s;
        };
    }

    void Step(long event) {
        Redraws = 0;
        const int kind = Pick(0, 99);
        if (kind < 30) {
            ChooseFromList();
        } else if (kind < 45) {
            MoveScrollBar();
        } else if (kind < 90) {
            UseAnimateButton();
        } else {
            Resize();
        }
        Check(event);
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Random); }

    void ChooseFromList() {
        MemoryList* lists[] = {&W->MagnitudeList, &W->StepList, &W->MonthList,
                               &W->DayList,       &W->HourList, &W->MinuteList};
        const int which = Pick(0, 5);
        MemoryList& list = *lists[which];
        const int index = Pick(0, static_cast<int>(list.Items.size()) - 1);
        const bool changes = index != list.ListIndex();
        list.SetListIndex(index);
        if (!changes) return ExpectRedraws(0);
        if (which == 0) {
            M.LimitMag = (index - 14) / 10.0;
            return ExpectPair();
        }
        if (which == 1) {
            constexpr int Steps[] = {1, 3, 5, 10, 15, 30};
            M.TimeStep = Steps[index];
            return ExpectRedraws(0);
        }
        if (M.Dragging != 0) return ExpectRedraws(0);  // Ignored during a hold.
        M.ChooseTime(which + 1, index);
        ExpectPair();
    }

    void MoveScrollBar() {
        MemoryScroll* bars[] = {&W->AzimuthBar, &W->LongitudeBar, &W->ElevationBar,
                                &W->LatitudeBar};
        const int which = Pick(0, 3);
        MemoryScroll& bar = *bars[which];
        // The ends, a step from where it is, or anywhere.
        const int choice = Pick(0, 3);
        const int value = choice == 0   ? bar.Min
                          : choice == 1 ? bar.Max
                          : choice == 2 ? bar.Value() + (Pick(0, 1) ? 5 : -1)
                                        : Pick(bar.Min, bar.Max);
        const int before = bar.Value();
        bar.MoveTo(value);
        if (bar.Value() == before) return ExpectRedraws(0);
        const int v = bar.Value();
        if (which == 0) M.Azimuth = v;
        if (which == 1) M.Longitude = v;
        if (which == 2) M.Elevation = 90 - v;
        if (which == 3) M.PoleAngle = 180 - v;
        ExpectPair();
    }

    void UseAnimateButton() {
        const int action = Pick(0, 9);
        if (action < 2) {
            const int button = 1 << Pick(0, 2);
            AnimateButton_MouseDown(W->State, W->Ui, button);
            M.Dragging = button == LeftButton ? 1 : 0;
            ExpectRedraws(button == LeftButton ? 1 : 0);
        } else if (action < 9) {
            const int buttons = action < 7 ? LeftButton : Pick(0, 7);
            const int draggingBefore = M.Dragging;
            const int listsBefore[4] = {W->MonthList.ListIndex(), W->DayList.ListIndex(),
                                        W->HourList.ListIndex(), W->MinuteList.ListIndex()};
            AnimateButton_MouseMove(W->State, W->Ui, buttons);
            if (buttons != LeftButton) {
                M.Dragging = 0;
                return ExpectRedraws(0);
            }
            M.MinuteOfYear += M.TimeStep;
            M.Split();
            M.Dragging = 1;
            EXPECT_EQ(W->MonthList.ListIndex(), M.Month - 1);
            EXPECT_EQ(W->DayList.ListIndex(), M.DayIndex);
            EXPECT_EQ(W->HourList.ListIndex(), M.Hour);
            EXPECT_EQ(W->MinuteList.ListIndex(), M.Minute);
            // From idle, every time list that moved runs its time chain: one pair each.
            int moved = 0;
            const int listsAfter[4] = {M.Month - 1, M.DayIndex, M.Hour, M.Minute};
            for (int k = 0; k < 4; ++k) moved += listsBefore[k] != listsAfter[k];
            ExpectRedraws(1 + (draggingBefore == 0 ? 2 * moved : 0));
        } else {
            const int button = 1 << Pick(0, 2);
            AnimateButton_MouseUp(W->State, W->Ui, button);
            if (button != LeftButton) return ExpectRedraws(0);
            M.Dragging = 0;
            ExpectPair();
        }
    }

    void Resize() {
        const int choice = Pick(0, 19);
        int width, height;
        if (choice == 0) {
            width = Pick(1, 4000);
            height = Pick(1, 3000);
        } else if (choice < 4) {
            width = Pick(1, 130);
            height = Pick(1, 30);
        } else {
            width = Pick(200, 700);
            height = Pick(100, 500);
        }
        W->Window.ResizeTo(static_cast<float>(width), static_cast<float>(height));
        const int side = ChartSideFor(static_cast<float>(width), static_cast<float>(height));
        if (side <= 0) return ExpectRedraws(0);
        EXPECT_EQ(W->Chart0.Width(), side);
        EXPECT_EQ(W->Chart1.Height(), side);
        ExpectPair();
    }

    void ExpectRedraws(int count) { EXPECT_EQ(Redraws, count); }

    // After a redraw pair the front chart is exactly what a fresh redraw pair of the
    // same state draws.
    void ExpectPair() {
        ExpectRedraws(2);
        PairDone = true;
    }

    void Check(long event) {
        const WindowState& Sky = W->State;
        ASSERT_EQ(ModelMismatch(Sky, W->Ui, M), "") << "event " << event;
        if (PairDone) {
            PairDone = false;
            Reference->State = Sky;
            for (RasterSurface* chart : {&Reference->Chart0, &Reference->Chart1}) {
                chart->SetWidth(W->Chart0.Width());
                chart->SetHeight(W->Chart0.Height());
            }
            RedrawSky(Reference->State, Reference->Ui);
            RedrawSky(Reference->State, Reference->Ui);
            ASSERT_EQ(W->Front().Picture(), Reference->Front().Picture()) << event;
        }
    }

    std::mt19937_64 Random;
    std::unique_ptr<HeadlessWindow> W = NewWindow();
    std::unique_ptr<HeadlessWindow> Reference = NewWindow();
    EventModel M;
    int Redraws = 0;
    bool PairDone = false;
};
}  // namespace

TEST(RandomEvents, KeepTheStateTheScreenAndTheModelInStep) {
    const auto seed =
        static_cast<std::uint64_t>(EventsFromEnvironment("DOMARIUM_MODEL_SEED", DefaultSeed));
    const long events = EventsFromEnvironment("DOMARIUM_MODEL_EVENTS", DefaultEvents);
    std::cout << "random events: seed " << seed << ", " << events << " events" << std::endl;
    EventRun run(seed);
    for (long event = 0; event < events; ++event) {
        ASSERT_NO_THROW(run.Step(event)) << "event " << event << " of seed " << seed;
        if (::testing::Test::HasFatalFailure()) {
            FAIL() << "event " << event << " of seed " << seed;
        }
    }
}
