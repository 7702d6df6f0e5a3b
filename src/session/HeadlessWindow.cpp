#include "session/HeadlessWindow.h"

#include "core/RunTimeError.h"
#include "session/StartUp.h"

void MemoryList::SetListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(Items.size())) {
        throw RunTimeError(ErrorKind::SubscriptRange, "リストの項目がありません。");
    }
    if (index == Index) return;
    Index = index;
    if (OnClick) OnClick();
}

void MemoryScroll::MoveTo(int value) {
    const auto clamped = static_cast<std::int16_t>(value < Min ? Min : value > Max ? Max : value);
    if (clamped == Current) return;
    Current = clamped;
    if (OnChange) OnChange();
}

void MemoryWindow::Show() {
    Visible = true;
    if (OnResize) OnResize();
}

void MemoryWindow::PlaceChart(int side) {
    Side = side;
    if (Visible && OnResize) OnResize();
}

void MemoryWindow::ResizeTo(float width, float height) {
    Width = width;
    Height = height;
    if (Visible && OnResize) OnResize();
}

std::unique_ptr<HeadlessWindow> HeadlessWindow::Create(const GlyphSource& chartText,
                                                       const GlyphSource& readoutText,
                                                       const LabelFont* labels, int chartSide) {
    std::unique_ptr<HeadlessWindow> window(new HeadlessWindow(chartText, readoutText, chartSide));
    window->Chart0.SetLabelFont(labels);
    window->Chart1.SetLabelFont(labels);
    return window;
}

HeadlessWindow::HeadlessWindow(const GlyphSource& chartText, const GlyphSource& readoutText,
                               int chartSide)
    : Chart0(chartSide, chartSide, Black, chartText),
      Chart1(chartSide, chartSide, Black, chartText),
      AzimuthReadout(ReadoutWidth, ReadoutHeight, White, readoutText),
      LatitudeReadout(ReadoutWidth, ReadoutHeight, White, readoutText),
      ElevationReadout(ReadoutWidth, ReadoutHeight, White, readoutText),
      LongitudeReadout(ReadoutWidth, ReadoutHeight, White, readoutText),
      Stack(Chart0, Chart1) {
    Ui.Window = &Window;
    Ui.MagnitudeList = &MagnitudeList;
    Ui.StepList = &StepList;
    Ui.MonthList = &MonthList;
    Ui.DayList = &DayList;
    Ui.HourList = &HourList;
    Ui.MinuteList = &MinuteList;
    Ui.AzimuthBar = &AzimuthBar;
    Ui.LongitudeBar = &LongitudeBar;
    Ui.ElevationBar = &ElevationBar;
    Ui.LatitudeBar = &LatitudeBar;
    Ui.Charts[0] = &Chart0;
    Ui.Charts[1] = &Chart1;
    Ui.AzimuthReadout = &AzimuthReadout;
    Ui.LatitudeReadout = &LatitudeReadout;
    Ui.ElevationReadout = &ElevationReadout;
    Ui.LongitudeReadout = &LongitudeReadout;
    ConnectHandlers(State, Ui);
}

void HeadlessWindow::Load(const std::filesystem::path& starData) { StartUp(State, Ui, starData); }
