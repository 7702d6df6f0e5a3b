#include "Form1.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>

#include "Form2.h"
#include "app/Lifecycle.h"
#include "time/Settings.h"

namespace {
// The client area when the window opens, pixels.
constexpr int ClientWidth = 584;
constexpr int ClientHeight = 416;

// The chart surfaces' laid-out size; the first Resize gives them their working size.
constexpr int ChartSide = 409;
constexpr int ReadoutWidth = 49;
constexpr int ReadoutHeight = 17;

// A caption: its text and its place in the client area, pixels.
struct CaptionPlace {
    QLineEdit* Form1::*Field;
    const char* Text;
    QRect Place;
};

// A caption field: a single line that only labels the control next to it, in the
// menu bar's colours; it never takes the focus.
QLineEdit* MakeCaption(QWidget* parent, const char* text, const QRect& place,
                       const QPalette& menuColours) {
    auto* caption = new QLineEdit(QString::fromUtf8(text), parent);
    caption->setGeometry(place);
    caption->setReadOnly(true);
    caption->setFrame(false);
    caption->setFocusPolicy(Qt::NoFocus);
    caption->setCursorPosition(0);  // A caption wider than its field shows its beginning.
    caption->setContextMenuPolicy(Qt::NoContextMenu);
    QPalette colours = caption->palette();
    colours.setColor(QPalette::Base, menuColours.color(QPalette::Window));
    colours.setColor(QPalette::Text, menuColours.color(QPalette::WindowText));
    caption->setPalette(colours);
    return caption;
}

QComboBox* MakeList(QWidget* parent, const QRect& place, const char* tip) {
    auto* combo = new QComboBox(parent);
    combo->setGeometry(place);
    if (tip != nullptr) combo->setToolTip(QString::fromUtf8(tip));
    return combo;
}

QScrollBar* MakeScroll(QWidget* parent, Qt::Orientation orientation, const QRect& place) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setGeometry(place);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}
}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent), State(std::make_unique<SkyState>()) {
    setWindowTitle(QStringLiteral("Domarium"));
    CreateControls();
    CreateMenu();
    SetTabSequence();
    BindControls();
    // The client area is 584 x 416 pixels below the menu bar.
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
}

Form1::~Form1() = default;

// The controls in the order the window creates them; a later one lies above an
// earlier one, so Picture1(1) starts in front of Picture1(0).
void Form1::CreateControls() {
    Client = new ClientArea(this);
    Client->setAutoFillBackground(true);
    QPalette face = Client->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    Client->setPalette(face);
    setCentralWidget(Client);

    const QPalette menuColours = QApplication::palette("QMenuBar");
    for (std::size_t i = 0; i < ChartRasters.size(); ++i) {
        ChartRasters[i] = std::make_unique<RasterSurface>(ChartSide, ChartSide, Black, ChartFont());
    }
    for (auto& readout : ReadoutRasters) {
        readout =
            std::make_unique<RasterSurface>(ReadoutWidth, ReadoutHeight, White, ReadoutFont());
        readout->ForeColor = Black;
    }
    auto readoutView = [this](std::size_t index, const QPoint& at, const char* tip) {
        auto* view = new SurfaceView(*ReadoutRasters[index], Client);
        view->move(at);
        view->setToolTip(QString::fromUtf8(tip));
        view->setFocusPolicy(Qt::StrongFocus);
        return view;
    };

    Text10 = MakeCaption(Client, "東経", {8, 88, 49, 18}, menuColours);
    HScroll2 = MakeScroll(Client, Qt::Horizontal, {8, 128, 81, 25});
    Picture5 = readoutView(3, {8, 104}, "北から東回りです。");
    Combo6 = MakeList(Client, {104, 160, 41, 20}, nullptr);
    Combo5 = MakeList(Client, {104, 128, 41, 20}, nullptr);
    Combo4 = MakeList(Client, {104, 96, 41, 20}, nullptr);
    Combo3 = MakeList(Client, {104, 64, 41, 20}, nullptr);
    Combo2 = MakeList(Client, {104, 192, 41, 20}, "天球を何分単位で動かすか設定します");
    Combo1 = MakeList(Client, {8, 304, 81, 20}, "明るい星だけにすると、動作が速くなります");
    Picture4 = readoutView(2, {8, 256}, "天球を見る角度です。－は見下ろす形になります。");
    Picture3 = readoutView(1, {8, 184}, "北緯は＋、南緯は－です。");
    Picture2 = readoutView(0, {8, 32}, "北から東回りです。");
    VScroll2 = MakeScroll(Client, Qt::Vertical, {64, 160, 25, 65});
    HScroll1 = MakeScroll(Client, Qt::Horizontal, {8, 56, 81, 25});
    VScroll1 = MakeScroll(Client, Qt::Vertical, {64, 232, 25, 65});
    Command1 = new AnimateButton(QStringLiteral("うごかす"), Client);
    Command1->setGeometry(104, 8, 57, 41);
    Command1->setToolTip(QStringLiteral("天球を分単位（増加分）で動かします"));
    Command1->setAutoDefault(false);
    for (std::size_t i = 0; i < ChartViews.size(); ++i) {
        ChartViews[i] = new SurfaceView(*ChartRasters[i], Client);
        ChartViews[i]->move(168, 0);
        ChartViews[i]->setFocusPolicy(Qt::StrongFocus);
    }
    const CaptionPlace captions[] = {
        {&Form1::Text1, "緯度", {8, 168, 49, 18}},
        {&Form1::Text2, "仰角", {8, 240, 49, 18}},
        {&Form1::Text3, "方位角", {8, 16, 49, 18}},
        {&Form1::Text4, "限界等級", {8, 288, 49, 18}},
        {&Form1::Text5, "分増加率", {112, 216, 49, 18}},
        {&Form1::Text6, "月", {152, 68, 17, 18}},
        {&Form1::Text7, "日", {152, 100, 17, 18}},
        {&Form1::Text8, "時", {152, 132, 17, 18}},
        {&Form1::Text9, "分", {152, 164, 17, 20}},
    };
    for (const CaptionPlace& caption : captions) {
        this->*caption.Field = MakeCaption(Client, caption.Text, caption.Place, menuColours);
    }
}

// Two plain items side by side, without submenus or shortcuts.
void Form1::CreateMenu() {
    menuBar()->setNativeMenuBar(false);
    MenuFileQuit = menuBar()->addAction(QStringLiteral("終了"));
    Joho = menuBar()->addAction(QStringLiteral("情報"));
    connect(MenuFileQuit, &QAction::triggered, this, &Form1::MenuFileQuit_Click);
    connect(Joho, &QAction::triggered, this, &Form1::Joho_Click);
}

// Keyboard focus follows the tab index; the captions are left out.
void Form1::SetTabSequence() {
    QWidget* const sequence[] = {ChartViews[0], Command1, ChartViews[1], VScroll1, HScroll1,
                                 VScroll2,      Picture2, Picture3,      Picture4, Combo1,
                                 Combo2,        Combo3,   Combo4,        Combo5,   Combo6,
                                 Picture5,      HScroll2};
    for (std::size_t i = 0; i + 1 < std::size(sequence); ++i)
        setTabOrder(sequence[i], sequence[i + 1]);
}

// Binds every control to the engine's interfaces and points its events at the handlers.
void Form1::BindControls() {
    QComboBox* const combos[6] = {Combo1, Combo2, Combo3, Combo4, Combo5, Combo6};
    for (std::size_t i = 0; i < 6; ++i) Lists[i] = std::make_unique<QtList>(combos[i]);
    Scrolls[0] = std::make_unique<QtScroll>(HScroll1, 0, 360, 0);
    Scrolls[1] = std::make_unique<QtScroll>(HScroll2, 120, 150, 135);
    Scrolls[2] = std::make_unique<QtScroll>(VScroll1, 0, 180, 80);
    Scrolls[3] = std::make_unique<QtScroll>(VScroll2, 0, 180, 55);

    Ui.Form1 = this;
    Ui.Combo1 = Lists[0].get();
    Ui.Combo2 = Lists[1].get();
    Ui.Combo3 = Lists[2].get();
    Ui.Combo4 = Lists[3].get();
    Ui.Combo5 = Lists[4].get();
    Ui.Combo6 = Lists[5].get();
    Ui.HScroll1 = Scrolls[0].get();
    Ui.HScroll2 = Scrolls[1].get();
    Ui.VScroll1 = Scrolls[2].get();
    Ui.VScroll2 = Scrolls[3].get();
    Ui.Picture1[0] = ChartRasters[0].get();
    Ui.Picture1[1] = ChartRasters[1].get();
    Ui.Picture2 = ReadoutRasters[0].get();
    Ui.Picture3 = ReadoutRasters[1].get();
    Ui.Picture4 = ReadoutRasters[2].get();
    Ui.Picture5 = ReadoutRasters[3].get();

    SkyState& Sky = *State;
    Lists[0]->OnClick = [this, &Sky] { Combo1_Click(Sky, Ui); };
    Lists[1]->OnClick = [this, &Sky] { Combo2_Click(Sky, Ui); };
    Lists[2]->OnClick = [this, &Sky] { Combo3_Click(Sky, Ui); };
    Lists[3]->OnClick = [this, &Sky] { Combo4_Click(Sky, Ui); };
    Lists[4]->OnClick = [this, &Sky] { Combo5_Click(Sky, Ui); };
    Lists[5]->OnClick = [this, &Sky] { Combo6_Click(Sky, Ui); };
    Scrolls[0]->OnChange = [this, &Sky] { HScroll1_Change(Sky, Ui); };
    Scrolls[1]->OnChange = [this, &Sky] { HScroll2_Change(Sky, Ui); };
    Scrolls[2]->OnChange = [this, &Sky] { VScroll1_Change(Sky, Ui); };
    Scrolls[3]->OnChange = [this, &Sky] { VScroll2_Change(Sky, Ui); };
    Command1->OnMouseDown = [this, &Sky](int button) { Command1_MouseDown(Sky, Ui, button); };
    Command1->OnMouseMove = [this, &Sky](int buttons) { Command1_MouseMove(Sky, Ui, buttons); };
    Command1->OnMouseUp = [this, &Sky](int button) { Command1_MouseUp(Sky, Ui, button); };
    Client->OnResize = [this, &Sky] {
        if (ResizeReady) Form_Resize(Sky, Ui);
    };
    // Every redraw rewrites the read-outs right after it refreshes a chart
    // surface; their widgets repaint when the handler has finished.
    for (SurfaceView* chart : ChartViews) {
        chart->AfterRefresh = [this] {
            for (SurfaceView* readout : {Picture2, Picture3, Picture4, Picture5}) readout->update();
        };
    }
}

void Form1::Load(const std::filesystem::path& starData) { Form_Load(*State, Ui, starData); }

float Form1::ScaleWidth() const { return static_cast<float>(Client->width()); }

float Form1::ScaleHeight() const { return static_cast<float>(Client->height()); }

void Form1::Show() {
    ResizeReady = true;
    show();
}

// Unloading the main window ends the program: nothing is asked or saved.
void Form1::MenuFileQuit_Click() { close(); }

// A fresh dialog at every opening, modal; returns when it has been closed.
void Form1::Joho_Click() {
    Form2 dialog(this);
    dialog.exec();
}
