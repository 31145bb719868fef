#pragma once

#include <QWidget>

#include <array>

class QLabel;

// The status bar at the window's foot: three sunken panels side by side at fixed widths. A panel
// that does not fit is clipped at the bar's right edge rather than shrunk. Panels pushed past the
// edge by a widened first panel are hidden as well, since how much of the bar is left depends on the
// frame the window manager draws.
class CountdownStatusBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int panelCount = 3;
    static constexpr double defaultPanelWidth = 1100; // twips, panels 2 and 3

    explicit CountdownStatusBar(QWidget* parent = nullptr);

    // Panels are numbered from 1, as the window's code names them.
    void setPanelText(int panel, const QString& text);
    [[nodiscard]] QString panelText(int panel) const;
    void setPanelWidth(int panel, double twips);
    [[nodiscard]] double panelWidth(int panel) const;
    // A hidden panel keeps its text and width; only its drawing stops.
    void setPanelShown(int panel, bool shown);
    [[nodiscard]] QLabel* panel(int panel) const;
    // What a screen reader reads for a panel showing text: the event date as shown, the date and
    // the time after what they are.
    static QString accessibleName(int panel, const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placePanels();

    std::array<QLabel*, panelCount> panels{};
    std::array<double, panelCount> widths{};
};
