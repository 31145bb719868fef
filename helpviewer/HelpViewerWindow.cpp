#include "helpviewer/HelpViewerWindow.h"

#include "helpviewer/HelpPane.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStyle>

#include <algorithm>

namespace {

const QString frameKey = QStringLiteral("Window/Frame");
const QString geometryKey = QStringLiteral("Window/Geometry");

QSettings placementSettings() {
    return {QSettings::IniFormat, QSettings::UserScope, QStringLiteral("PELTRA"), QStringLiteral("peltra-help")};
}

} // namespace

HelpViewerWindow::HelpViewerWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("ペルトラ ヘルプ"));
    restorePlacement();
    // Closed from the keyboard as most viewers are.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    // Ended by a signal, the viewer leaves its event loop without a close.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &HelpViewerWindow::savePlacement);
}

QString HelpViewerWindow::placementFile() {
    return placementSettings().fileName();
}

QRect HelpViewerWindow::placedWithin(const QRect& wanted, const QRect& available) {
    QRect placed(wanted.topLeft(), wanted.size().boundedTo(available.size()));
    placed.moveLeft(std::clamp(placed.left(), available.left(), available.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), available.top(), available.bottom() - placed.height() + 1));
    return placed;
}

void HelpViewerWindow::restorePlacement() {
    const QSettings settings = placementSettings();
    const QRect savedFrame = settings.value(frameKey).toRect();
    const QRect savedGeometry = settings.value(geometryKey).toRect();
    const QScreen* screen = QGuiApplication::screenAt(savedFrame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    if (savedFrame.contains(savedGeometry)) {
        // The contents go where they were, unless the frame the window manager adds around them
        // would then leave the screen.
        const QMargins frame(savedGeometry.left() - savedFrame.left(), savedGeometry.top() - savedFrame.top(),
                             savedFrame.right() - savedGeometry.right(), savedFrame.bottom() - savedGeometry.bottom());
        setGeometry(placedWithin(savedGeometry + frame, available) - frame);
        return;
    }
    // The first time: centred, with room left for the frame on a small or scaled screen.
    const QSize size = QSize(780, 560).boundedTo(available.size() * 0.9);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
}

void HelpViewerWindow::savePlacement() const {
    if (!isVisible() || isMinimized() || isMaximized() || isFullScreen())
        return;
    QSettings settings = placementSettings();
    settings.setValue(frameKey, frameGeometry());
    settings.setValue(geometryKey, geometry());
}

void HelpViewerWindow::closeEvent(QCloseEvent* event) {
    savePlacement();
    QMainWindow::closeEvent(event);
}

void HelpViewerWindow::handle(const HelpRequest& request) {
    // A file that failed earlier is tried again: it may have been put in place since.
    if (!currentPane || currentPane->helpFile() != request.helpFile || !currentPane->hasFile()) {
        currentPane = new HelpPane(request.helpFile, this);
        setCentralWidget(currentPane);
        currentPane->show(); // at once, not when the window's layout gets round to it
    }
    currentPane->showRequest(request);
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}
