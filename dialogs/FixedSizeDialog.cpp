#include "dialogs/FixedSizeDialog.h"

#include "app/core/Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

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

void FixedSizeDialog::fixSizeAndCentre(double widthTwips, double heightTwips) {
    const QSize client(Twips::toPixelsX(widthTwips), Twips::toPixelsY(heightTwips));
    setFixedSize(client);
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, client, screen->availableGeometry()));
}
