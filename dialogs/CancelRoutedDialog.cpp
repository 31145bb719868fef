#include "dialogs/CancelRoutedDialog.h"

#include <QCloseEvent>

CancelRoutedDialog::CancelRoutedDialog(QWidget* parent) : FixedSizeDialog(parent) {}

void CancelRoutedDialog::closeWindow(int result) {
    closing = true;
    done(result);
    closing = false;
}

void CancelRoutedDialog::reject() {
    if (closing)
        QDialog::reject();
    else
        cancelRequested();
}

void CancelRoutedDialog::closeEvent(QCloseEvent* event) {
    if (closing || !isVisible()) {
        event->accept();
        return;
    }
    cancelRequested();
    event->setAccepted(!isVisible());
}
