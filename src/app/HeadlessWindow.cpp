#include "app/HeadlessWindow.h"

#include "app/Lifecycle.h"
#include "core/RunTimeError.h"
#include "time/Settings.h"

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

void MemoryWindow::ResizeTo(float width, float height) {
    Width = width;
    Height = height;
    if (Visible && OnResize) OnResize();
}

std::unique_ptr<HeadlessWindow> HeadlessWindow::Create() {
    return std::unique_ptr<HeadlessWindow>(new HeadlessWindow());
}

// Chart surfaces are 409 x 409 pixels as laid out, read-outs 49 x 17.
HeadlessWindow::HeadlessWindow()
    : Picture1_0(409, 409, Black, ChartFont()),
      Picture1_1(409, 409, Black, ChartFont()),
      Picture2(49, 17, White, ReadoutFont()),
      Picture3(49, 17, White, ReadoutFont()),
      Picture4(49, 17, White, ReadoutFont()),
      Picture5(49, 17, White, ReadoutFont()),
      Stack(Picture1_0, Picture1_1) {
    Ui.Form1 = &Form1;
    Ui.Combo1 = &Combo1;
    Ui.Combo2 = &Combo2;
    Ui.Combo3 = &Combo3;
    Ui.Combo4 = &Combo4;
    Ui.Combo5 = &Combo5;
    Ui.Combo6 = &Combo6;
    Ui.HScroll1 = &HScroll1;
    Ui.HScroll2 = &HScroll2;
    Ui.VScroll1 = &VScroll1;
    Ui.VScroll2 = &VScroll2;
    Ui.Picture1[0] = &Picture1_0;
    Ui.Picture1[1] = &Picture1_1;
    Ui.Picture2 = &Picture2;
    Ui.Picture3 = &Picture3;
    Ui.Picture4 = &Picture4;
    Ui.Picture5 = &Picture5;
    Combo1.OnClick = [this] { Combo1_Click(Sky, Ui); };
    Combo2.OnClick = [this] { Combo2_Click(Sky, Ui); };
    Combo3.OnClick = [this] { Combo3_Click(Sky, Ui); };
    Combo4.OnClick = [this] { Combo4_Click(Sky, Ui); };
    Combo5.OnClick = [this] { Combo5_Click(Sky, Ui); };
    Combo6.OnClick = [this] { Combo6_Click(Sky, Ui); };
    HScroll1.OnChange = [this] { HScroll1_Change(Sky, Ui); };
    HScroll2.OnChange = [this] { HScroll2_Change(Sky, Ui); };
    VScroll1.OnChange = [this] { VScroll1_Change(Sky, Ui); };
    VScroll2.OnChange = [this] { VScroll2_Change(Sky, Ui); };
    Form1.OnResize = [this] { Form_Resize(Sky, Ui); };
}

void HeadlessWindow::Load(const std::filesystem::path& starData) { Form_Load(Sky, Ui, starData); }
