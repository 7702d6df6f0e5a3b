#pragma once
// AboutDialog: the "バージョン情報" dialog. Shows the title, version, copyright line,
// a short description and the author credit; "OK" closes it. It reads and
// changes nothing of the sky. Each opening creates a fresh dialog.

#include <QDialog>

class QLabel;
class QPushButton;

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    // Centred over owner when it opens; modal to the whole program.
    explicit AboutDialog(QWidget* owner);

    QPushButton* OkButton = nullptr;     // "OK"
    QLabel* CreditLabel = nullptr;       // Author credit.
    QLabel* DescriptionLabel = nullptr;  // Description, wrapped within the label.
    QLabel* CopyrightLabel = nullptr;    // Copyright line.
    QLabel* VersionLabel = nullptr;      // Version.
    QLabel* TitleLabel = nullptr;        // Title.

private:
    void CentreOver(const QWidget* owner);
};
