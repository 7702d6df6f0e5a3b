#pragma once
// Qt widgets bound to the engine's control interfaces. Each binding forwards
// one Qt signal or event to a callback that the main window points at a
// handler; none of them computes anything of the sky.

#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "render/RasterSurface.h"
#include "session/Controls.h"
#include "session/Layout.h"

// A drop-down list: an editable combo box whose typed text is never taken as a
// choice. Click is raised when the user picks an item and, synchronously, when
// the program selects another item.
class QtList : public ListControl {
public:
    explicit QtList(QComboBox* combo);
    ~QtList() override;

    // Appends without selecting: a list that had no selection keeps none.
    void AddItem(const std::string& text) override;
    int ListIndex() const override { return Combo->currentIndex(); }
    // An index outside the list is a failing control operation.
    void SetListIndex(int index) override;
    // Repaints at once only when the list shows another text than at the last Refresh:
    // the animation refreshes all four time lists at every step, and the minutes change
    // far more often than the months.
    void Refresh() override;

    QComboBox* const Combo;

private:
    QMetaObject::Connection ClickConnection;
    QString RefreshedText;
    bool Refreshed = false;
};

// A scroll bar reporting Change after an arrow or trough click, and once when a
// dragged thumb is let go, never while the thumb moves.
class QtScroll : public ScrollControl {
public:
    // Range and opening value are set before Change is connected, so taking them
    // raises nothing.
    QtScroll(QScrollBar* bar, ScrollRange range);
    ~QtScroll() override;
    std::int16_t Value() const override;

    QScrollBar* const Bar;

private:
    QMetaObject::Connection ChangeConnection;
};

// While one is alive, the controls' Refresh asks for its repaint instead of making it at
// once; the last one to end puts everything asked for on the screen in one pass. An
// animation step refreshes the chart and then a time list: one pass to the window system
// instead of two, before the step's event has returned.
class PaintBatch {
public:
    explicit PaintBatch(QWidget* window);
    ~PaintBatch();
    PaintBatch(const PaintBatch&) = delete;
    PaintBatch& operator=(const PaintBatch&) = delete;
    static bool Active();

private:
    QWidget* Window;
};

// Shows one raster surface as it is: the surface holds the picture, paintEvent
// only copies it. The surface's BringToFront raises this widget and its Refresh
// repaints it at once; the widget always takes the surface's size, in window pixels:
// the surface holds ratio device pixels for each of them.
class SurfaceView : public QWidget {
public:
    SurfaceView(RasterSurface& surface, QWidget* parent, double ratio = 1.0);

    RasterSurface& Surface;
    const double Ratio;
    // Runs after the widget has been repainted for a Refresh of its surface.
    std::function<void()> AfterRefresh;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FitToSurface();
};

// The animate button. Reports presses, moves and releases with the mouse buttons
// as the handlers count them (1 left, 2 right, 4 middle, summed for moves). Moves
// are reported while the pointer is over the button, and everywhere while a
// button pressed on it is held; the release reaches it wherever the pointer is.
class QtAnimateButton : public QPushButton, public AnimateControl {
public:
    QtAnimateButton(const QString& caption, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Space held on the focused button is the left button held and moved: its press,
    // each key repeat a move, its release the release.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

// The window's client area: the part below the menu bar. Reports every change of
// its size once the window has been asked to show.
class ClientArea : public QWidget {
public:
    explicit ClientArea(QWidget* parent = nullptr);
    std::function<void()> OnResize;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// Marks the widget with a dotted frame while it holds the focus that the keyboard gave it
// (Tab, Shift+Tab), for widgets whose style shows no focus of its own.
void ShowKeyboardFocus(QWidget* widget);

// The handlers' button count for a set of Qt mouse buttons; others count 0.
int ButtonSum(Qt::MouseButtons buttons);
