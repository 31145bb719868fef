#include "helpviewer/HelpViewerWindow.h"

#include "helpviewer/HelpPane.h"

HelpViewerWindow::HelpViewerWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("ペルトラ ヘルプ"));
    resize(780, 560);
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
