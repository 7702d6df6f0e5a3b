#include "AboutDialog.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace {
// The client area, pixels.
constexpr int ClientWidth = 312;
constexpr int ClientHeight = 213;

// A left-aligned label without a border; it never takes the focus and draws
// nothing outside its rectangle.
QLabel* MakeLabel(QWidget* parent, const char* text, const QRect& place) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

// Makes a wrapped label's font smaller, half a point at a time, until its whole text
// fits inside the label: at the default size the description's last sentence falls
// below the label's 97 pixels.
void FitTextInside(QLabel* label) {
    QFont font = label->font();
    if (font.pointSizeF() <= 0) font.setPointSizeF(QFontInfo(font).pointSizeF());
    auto height = [&] {
        return QFontMetrics(font)
            .boundingRect(QRect(0, 0, label->width(), 0), Qt::TextWordWrap, label->text())
            .height();
    };
    while (height() > label->height() && font.pointSizeF() > 6.0)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}
}  // namespace

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("バージョン情報"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(ClientWidth, ClientHeight);

    // Created in this order; "OK" is the only control that takes the focus.
    OkButton = new QPushButton(QStringLiteral("OK"), this);
    OkButton->setGeometry(248, 184, 57, 25);
    OkButton->setDefault(true);
    CreditLabel = MakeLabel(this, "作者　開発班", {144, 184, 89, 17});
    DescriptionLabel = MakeLabel(
        this,
        "　理科の授業で使える、天球・天文シミュレーションです。Windows版をつくると同時に、"
        "ずいぶん３Dに凝ってみました。使い方の説明はほぼ不要だと思いますが、ちょっとだけ。。。"
        "Windowサイズは可変です。ふつうにWindowの右下隅をつまんで動かせば、OKです。"
        "適切な大きさで使ってください。また、仰角を＋にすれば、天球の下から見上げられます。"
        "空を眺めている感じになれます。",
        {8, 88, 289, 97});
    DescriptionLabel->setWordWrap(true);
    FitTextInside(DescriptionLabel);
    CopyrightLabel = MakeLabel(this, "Copyright (C) 2026 Domarium", {88, 64, 209, 17});
    // ERFA's and the label font's notices, as a tip of the copyright line: the dialog's
    // labels keep their places.
    CopyrightLabel->setToolTip(
        QStringLiteral("太陽・月・惑星の位置は ERFA 2.0.0 で計算しています。\n"
                       "Copyright (C) 2013-2014, NumFOCUS Foundation. BSD-3-Clause"
                       "（IAU SOFA に基づくライブラリ）\n"
                       "図の文字は BIZ UDPゴシック Bold（Copyright 2022 The BIZ UDGothic Project "
                       "Authors. SIL Open Font License 1.1）です。"));
    VersionLabel = MakeLabel(this, "バージョン　2.00", {88, 40, 105, 17});
    TitleLabel = MakeLabel(this, "天球・天文シミュレーション　『Domarium』", {8, 16, 289, 17});

    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    OkButton->setFocus();
    CentreOver(owner);
}

// Puts the dialog's frame at the centre of the owner's frame, taking the dialog's
// frame to be as thick as the owner's. Qt's own placement guesses the frame when
// the window system reports none, which puts the dialog off centre.
void AboutDialog::CentreOver(const QWidget* owner) {
    if (owner == nullptr) return;
    const QRect outer = owner->frameGeometry();
    const QSize frame = outer.size() - owner->geometry().size();
    const QSize mine = size() + frame;
    move(outer.x() + (outer.width() - mine.width()) / 2,
         outer.y() + (outer.height() - mine.height()) / 2);
}
