#pragma once

#include "app/core/HelpRequest.h"

#include <QMainWindow>

class HelpPane;

// The help viewer's window. It runs on its own, beside the program and its dialogs, and takes
// every later request of the same user. It opens where the user left it, within the screen.
class HelpViewerWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit HelpViewerWindow(QWidget* parent = nullptr);

    // Opens the request's file unless it is showing already, shows what was asked for, and comes
    // to the front.
    void handle(const HelpRequest& request);

    [[nodiscard]] HelpPane* pane() const { return currentPane; }

    // The viewer's own settings file, beside the program's but never the program's: its size and
    // place.
    static QString placementFile();
    // A window rectangle within an available area: no larger than the area, moved the least
    // distance that brings it wholly inside.
    static QRect placedWithin(const QRect& wanted, const QRect& available);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void restorePlacement();
    void savePlacement() const;

    HelpPane* currentPane = nullptr;
};
