#pragma once

#include <array>
#include <functional>

class QAction;
class QMenuBar;

// The countdown window's commands, each run by the menu item of the same name.
struct CountdownMenuHandlers {
    std::function<void()> end;
    std::function<void()> settings;
    std::function<void()> eventDate;
    std::function<void()> helpTopics;
    std::function<void()> helpContents;
    std::function<void()> about;
};

// The menu items, named as the window names them.
struct CountdownMenuItems {
    QAction* mnuFileEnd = nullptr;
    QAction* mnuOptSettei = nullptr;
    QAction* mnuEditEvent = nullptr;
    std::array<QAction*, 2> mnuHelpContents_KeyWord{};
    QAction* mnuHelpAbout = nullptr;
};

// The file, option and help menus with their access keys and shortcuts, added to the bar.
CountdownMenuItems addCountdownMenus(QMenuBar& bar, const CountdownMenuHandlers& handlers);
