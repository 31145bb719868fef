#pragma once

#include "helpviewer/HelpRequest.h"

#include <QMainWindow>

class HelpPane;

// The help viewer's window. It runs on its own, beside the program and its dialogs, and takes
// every later request of the same user.
class HelpViewerWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit HelpViewerWindow(QWidget* parent = nullptr);

    // Opens the request's file unless it is showing already, shows what was asked for, and comes
    // to the front.
    void handle(const HelpRequest& request);

    HelpPane* pane() const { return currentPane; }

private:
    HelpPane* currentPane = nullptr;
};
