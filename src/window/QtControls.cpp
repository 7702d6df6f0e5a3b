#include "QtControls.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <exception>
#include <vector>

#include "core/RunTimeError.h"
#include "qttext/QtText.h"
#include "session/Handlers.h"

namespace {
// Puts the selected item's text back into a list's edit field before the combo
// box would look typed text up among its items, which it does on Enter and when
// the field loses the focus. So typing never selects anything, and once the user
// has pressed Enter or left the field it shows the item in effect again. The combo
// box holds the focus and hands key and focus events straight to its field, so the
// guard watches the combo box itself. The wheel over a closed list does nothing: a
// turn of it would change the lesson's time by accident.
class TypedTextGuard : public QObject {
public:
    explicit TypedTextGuard(QComboBox* combo) : QObject(combo), Combo(combo) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Wheel) return true;
        const bool enter = event->type() == QEvent::KeyPress &&
                           (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
        if (enter || event->type() == QEvent::FocusOut) {
            const int index = Combo->currentIndex();
            Combo->lineEdit()->setText(index >= 0 ? Combo->itemText(index) : QString());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QComboBox* const Combo;
};

// A scroll bar moves by its small step, 1, for one notch of the wheel (Qt would move it
// three), and every arrow key moves the thumb in its own direction: left and up towards
// the bar's minimum, right and down towards its maximum (Qt reverses the horizontal ones).
class ScrollGuard : public QObject {
public:
    explicit ScrollGuard(QScrollBar* bar) : QObject(bar), Bar(bar) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Wheel) {
            const QPoint turn = static_cast<QWheelEvent*>(event)->angleDelta();
            WheelAngle += turn.y() != 0 ? turn.y() : turn.x();
            for (; WheelAngle >= WheelNotch; WheelAngle -= WheelNotch)
                Bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
            for (; WheelAngle <= -WheelNotch; WheelAngle += WheelNotch)
                Bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            switch (static_cast<QKeyEvent*>(event)->key()) {
                case Qt::Key_Left:
                case Qt::Key_Up:
                    Bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
                    return true;
                case Qt::Key_Right:
                case Qt::Key_Down:
                    Bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                    return true;
                default:
                    break;
            }
        }
        return false;
    }

private:
    static constexpr int WheelNotch = 120;  // Eighths of a degree in one notch.
    QScrollBar* const Bar;
    int WheelAngle = 0;  // Turned but not yet a whole notch.
};
}  // namespace

int ButtonSum(Qt::MouseButtons buttons) {
    int sum = 0;
    if (buttons & Qt::LeftButton) sum += LeftButton;
    if (buttons & Qt::RightButton) sum += RightButton;
    if (buttons & Qt::MiddleButton) sum += MiddleButton;
    return sum;
}

QtList::QtList(QComboBox* combo) : Combo(combo) {
    Combo->setEditable(true);
    // Typed text never becomes an item or a choice: no insertion, no completion,
    // and no look-up of the text among the items.
    Combo->setInsertPolicy(QComboBox::NoInsert);
    Combo->setDuplicatesEnabled(true);
    Combo->setCompleter(nullptr);
    auto* guard = new TypedTextGuard(Combo);
    Combo->installEventFilter(guard);
    Combo->lineEdit()->installEventFilter(guard);
    ClickConnection = QObject::connect(Combo, &QComboBox::currentIndexChanged, Combo, [this](int) {
        if (OnClick) OnClick();
    });
}

// The combo box outlives this binding inside the window; it must not call back into it.
QtList::~QtList() { QObject::disconnect(ClickConnection); }

void QtList::AddItem(const std::string& text) {
    // A combo box selects the first item put into an empty list; a list here
    // gets its selection only from SetListIndex, so that selection raises Click.
    const QSignalBlocker quiet(Combo);
    const int before = Combo->currentIndex();
    Combo->addItem(QString::fromStdString(text));
    if (Combo->currentIndex() != before) Combo->setCurrentIndex(before);
}

void QtList::SetListIndex(int index) {
    if (index < -1 || index >= Combo->count()) {
        throw RunTimeError(ErrorKind::SubscriptRange, "リストの項目がありません。");
    }
    Combo->setCurrentIndex(index);
}

void QtList::Refresh() {
    const QString shown = Combo->currentText();
    if (Refreshed && shown == RefreshedText) return;
    if (PaintBatch::Active()) {
        Combo->update();
    } else {
        Combo->repaint();
    }
    RefreshedText = shown;
    Refreshed = true;
}

QtScroll::QtScroll(QScrollBar* bar, ScrollRange range) : Bar(bar) {
    Bar->setRange(range.Min, range.Max);
    Bar->setValue(range.Start);
    Bar->setSingleStep(ScrollSmallStep);  // Arrow buttons.
    Bar->setPageStep(ScrollLargeStep);    // A click in the trough.
    // Without tracking, a dragged thumb changes the value only when it is let go.
    Bar->setTracking(false);
    Bar->installEventFilter(new ScrollGuard(Bar));
    ChangeConnection = QObject::connect(Bar, &QAbstractSlider::valueChanged, Bar, [this](int) {
        if (OnChange) OnChange();
    });
}

QtScroll::~QtScroll() { QObject::disconnect(ChangeConnection); }

std::int16_t QtScroll::Value() const {
    // The range is within 16 bits, so the value is too.
    return static_cast<std::int16_t>(Bar->value());
}

SurfaceView::SurfaceView(RasterSurface& surface, QWidget* parent, double ratio)
    : QWidget(parent), Surface(surface), Ratio(ratio) {
    ShowKeyboardFocus(this);
    // The image covers the widget, so nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    FitToSurface();
    Surface.OnBringToFront = [this](RasterSurface&) {
        FitToSurface();
        raise();
    };
    Surface.OnRefresh = [this](RasterSurface&) {
        FitToSurface();
        if (PaintBatch::Active()) {
            update();
        } else {
            repaint();
        }
        if (AfterRefresh) AfterRefresh();
    };
}

void SurfaceView::FitToSurface() {
    const QSize size = Ratio == 1.0
                           ? QSize(Surface.Width(), Surface.Height())
                           : QSize(static_cast<int>(std::lround(Surface.Width() / Ratio)),
                                   static_cast<int>(std::lround(Surface.Height() / Ratio)));
    if (this->size() != size) resize(size);
}

void SurfaceView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Device pixel for device pixel: the image's ratio makes it cover the widget exactly.
    QImage image = ImageOf(Surface);
    image.setDevicePixelRatio(Ratio);
    painter.drawImage(QPointF(0, 0), image);
}

QtAnimateButton::QtAnimateButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    // Moves with no button held are reported too: they end an animation.
    setMouseTracking(true);
}

void QtAnimateButton::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) OnMouseDown(ButtonSum(event->button()));
    QPushButton::mousePressEvent(event);
    event->accept();
}

namespace {
int PaintBatches = 0;
}  // namespace

PaintBatch::PaintBatch(QWidget* window) : Window(window) { ++PaintBatches; }

PaintBatch::~PaintBatch() {
    --PaintBatches;
    // The repaints asked for while the batch ran, now, in one pass to the screen; while an
    // error is on its way to the report, the event loop paints them after it.
    if (PaintBatches == 0 && std::uncaught_exceptions() == 0)
        QCoreApplication::sendPostedEvents(Window, QEvent::UpdateRequest);
}

bool PaintBatch::Active() { return PaintBatches > 0; }

void QtAnimateButton::mouseMoveEvent(QMouseEvent* event) {
    const PaintBatch batch(window());
    if (OnMouseMove) OnMouseMove(ButtonSum(event->buttons()));
    QPushButton::mouseMoveEvent(event);
    event->accept();
}

void QtAnimateButton::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp) OnMouseUp(ButtonSum(event->button()));
    QPushButton::mouseReleaseEvent(event);
    event->accept();
}

void QtAnimateButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space) {
        QPushButton::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat()) {
        if (OnMouseDown) OnMouseDown(LeftButton);
        setDown(true);
    } else if (OnMouseMove) {
        OnMouseMove(LeftButton);
    }
    event->accept();
}

void QtAnimateButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space) {
        QPushButton::keyReleaseEvent(event);
        return;
    }
    // A key repeat arrives as a release and a press, both marked as repeats.
    if (!event->isAutoRepeat()) {
        setDown(false);
        if (OnMouseUp) OnMouseUp(LeftButton);
    }
    event->accept();
}

namespace {
// Paints the widget, then a dotted frame inside its edge while it holds a focus that the
// keyboard gave it. An event filter, so it serves the toolkit's scroll bars as well.
class KeyboardFocusMark : public QObject {
public:
    explicit KeyboardFocusMark(QWidget* widget) : QObject(widget), Widget(widget) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            ByKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                         reason == Qt::ShortcutFocusReason;
            Widget->update();
        } else if (event->type() == QEvent::FocusOut) {
            ByKeyboard = false;
            Widget->update();
        } else if (event->type() == QEvent::Paint && ByKeyboard && Widget->hasFocus() &&
                   !Painting) {
            Painting = true;  // The widget's own picture first, past this filter.
            QCoreApplication::sendEvent(Widget, event);
            Painting = false;
            QPainter painter(Widget);
            QPen pen(Widget->palette().color(QPalette::Highlight), 2, Qt::DotLine);
            painter.setPen(pen);
            painter.drawRect(QRectF(Widget->rect()).adjusted(1, 1, -1, -1));
            return true;
        }
        return false;
    }

private:
    QWidget* const Widget;
    bool ByKeyboard = false;
    bool Painting = false;
};
}  // namespace

void ShowKeyboardFocus(QWidget* widget) {
    widget->installEventFilter(new KeyboardFocusMark(widget));
}

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {}

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (OnResize) OnResize();
}
