#pragma once

#include <QPointF>

// The countdown window's place as the settings window moves it when the centring switch is saved.
class CountdownPlacement {
public:
    virtual ~CountdownPlacement() = default;
    // The window's outer top-left corner in twips.
    [[nodiscard]] virtual QPointF windowPosition() const = 0;
    // Centres the window on the screen at once, whatever the centring switch.
    virtual void centreNow() = 0;

protected:
    CountdownPlacement() = default;
    CountdownPlacement(const CountdownPlacement&) = default;
    CountdownPlacement& operator=(const CountdownPlacement&) = default;
};
