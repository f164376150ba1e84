// The version box.
#pragma once
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    QFrame* Panel = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
};
