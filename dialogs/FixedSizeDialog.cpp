#include "dialogs/FixedSizeDialog.h"

#include <QEvent>

FixedSizeDialog::FixedSizeDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {}

void FixedSizeDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Some window managers offer "maximise" in the window menu or on a double click on the title
    // whatever the hints say; the controls stand where they were laid out, so the window stays.
    constexpr Qt::WindowStates enlarged = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() == QEvent::WindowStateChange && (windowState() & enlarged))
        setWindowState(windowState() & ~enlarged);
}
