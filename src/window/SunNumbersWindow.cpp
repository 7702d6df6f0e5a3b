#include "SunNumbersWindow.h"

#include <QLabel>
#include <QVBoxLayout>

#include "core/Moment.h"
#include "time/SunTimes.h"

SunNumbersWindow::SunNumbersWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(QStringLiteral("太陽の数値"));
    setObjectName(QStringLiteral("SunNumbersWindow"));
    auto* layout = new QVBoxLayout(this);
    Lines = new QLabel(this);
    Lines->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Lines->setWordWrap(true);
    Lines->setMinimumWidth(320);
    layout->addWidget(Lines);
}

void SunNumbersWindow::ShowDay(const Moment& moment) {
    std::string text;
    for (const std::string& line : SunDayLines(moment)) text += (text.empty() ? "" : "\n") + line;
    if (text == Shown) return;
    Shown = text;
    Lines->setText(QString::fromStdString(text));
}

QString SunNumbersWindow::Text() const { return Lines->text(); }
