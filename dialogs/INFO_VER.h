#pragma once

#include <QDialog>

// The about window, shown modally from the countdown window's menu. For now it offers only "OK";
// its controls come later.
class INFO_VER : public QDialog {
    Q_OBJECT

public:
    explicit INFO_VER(QWidget* parent = nullptr);
};
