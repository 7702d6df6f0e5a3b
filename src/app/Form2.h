#pragma once
// Form2: the "バージョン情報" dialog. Shows the title, version, copyright line,
// a short description and the author credit; "OK" closes it. It reads and
// changes nothing of the sky. Each opening creates a fresh dialog.

#include <QDialog>

class QLabel;
class QPushButton;

class Form2 : public QDialog {
    Q_OBJECT

public:
    // Centred over owner when it opens; modal to the whole program.
    explicit Form2(QWidget* owner);

    QPushButton* Command1 = nullptr;  // "OK"
    QLabel* Label5 = nullptr;         // Author credit.
    QLabel* Label4 = nullptr;         // Description, wrapped within the label.
    QLabel* Label3 = nullptr;         // Copyright line.
    QLabel* Label2 = nullptr;         // Version.
    QLabel* Label1 = nullptr;         // Title.

private:
    void CentreOver(const QWidget* owner);
};
