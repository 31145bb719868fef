#pragma once

#include <QDialog>

// The settings window, shown modally from the countdown window's menu. For now it offers only "OK";
// its controls come later.
class SETTEI : public QDialog {
    Q_OBJECT

public:
    explicit SETTEI(QWidget* parent = nullptr);
};
