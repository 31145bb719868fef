#pragma once

#include "dialogs/FixedSizeDialog.h"

class QCloseEvent;

// A modal window whose close box and Escape key act as its "キャンセル" button: both run the
// window's own Cancel handler, which may close the window or keep it open.
class CancelRoutedDialog : public FixedSizeDialog {
    Q_OBJECT

public:
    explicit CancelRoutedDialog(QWidget* parent = nullptr);

    // Escape lands here.
    void reject() override;

protected:
    // The window's "キャンセル" handler.
    virtual void cancelRequested() = 0;
    // Closes through QDialog without passing through the Cancel handler again.
    void closeWindow(int result);
    // The close box; the window stays open when the Cancel handler keeps it.
    void closeEvent(QCloseEvent* event) override;

private:
    bool closing = false;
};
