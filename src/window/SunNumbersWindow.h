#pragma once
// 太陽の数値: a small window beside the main one with the Sun's day of the chart's
// date and place in text (sunrise, sunset, transit, 南中高度, day length), for a
// teacher preparing the transparent-hemisphere exercise. Opened from the 表示 menu;
// the main window hands it the moment after each redraw while it is open.

#include <QWidget>
#include <string>

class QLabel;
struct Moment;

class SunNumbersWindow final : public QWidget {
    Q_OBJECT

public:
    explicit SunNumbersWindow(QWidget* parent);
    // Rewrites the text for the moment's date and place where it has changed.
    void ShowDay(const Moment& moment);
    QString Text() const;

private:
    QLabel* Lines = nullptr;
    std::string Shown;
};
