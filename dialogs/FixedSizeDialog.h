#pragma once

#include <QDialog>

// A modal window of one fixed size: no minimise or maximise button where the window manager
// honours the hints, and a request to maximise it or show it full screen leaves it as it is.
class FixedSizeDialog : public QDialog {
    Q_OBJECT

public:
    explicit FixedSizeDialog(QWidget* parent = nullptr);

protected:
    // Fixes the window's inside at the size in twips and centres the window on the screen, not on
    // the window that opens it.
    void fixSizeAndCentre(double widthTwips, double heightTwips);
    void changeEvent(QEvent* event) override;
};
