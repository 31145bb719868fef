#pragma once

#include <QDateTime>
#include <QPixmap>
#include <QPointF>
#include <QString>

#include <array>

class CountdownStatusBar;
class QLabel;
class QWidget;
struct AppSettings;

// The widgets of the countdown window that the layout sets.
struct CountdownWidgets {
    QWidget* canvas = nullptr; // the client area below the menu, above the status bar
    std::array<QLabel*, 3> labels{};
    QLabel* image = nullptr;
    CountdownStatusBar* statusBar = nullptr;
};

// Lays the countdown window out from the settings: label geometry of the size preset, fonts,
// captions, colours, the status panels and the background picture. Positions are twips.
class CountdownLayout {
public:
    static constexpr int upperMessage = 0;
    static constexpr int lowerMessage = 1;
    static constexpr int count = 2;
    static constexpr double dateTimePanelsWidth = 2210;

    explicit CountdownLayout(const CountdownWidgets& widgets);

    void ApplyLayout(const AppSettings& settings, const QString& presetText);
    // Puts the labels at their saved places.
    void restoreLabelPositions(const AppSettings& settings);
    // The picture fills the window's width and its height less the frame, menu and status bar.
    void sizePicture(double windowWidth, double windowHeight, bool windowsXp);

    QPointF labelPosition(int index) const;
    void setLabelPosition(int index, QPointF twips);
    double labelWidth(int index) const;
    double labelHeight(int index) const;

    // Whether a picture is shown; false also when the chosen file could not be used.
    bool showsPicture() const;

private:
    void setLabelGeometry(int index, double left, double height, double width, double pointSize);
    void setCountCaptionFits();
    void applyPicture(const AppSettings& settings);
    const QPixmap& picture(const QString& path);

    CountdownWidgets widgets;
    double panel1Width = 0;
    std::array<QPointF, 3> placedTwips{};

    // The last picture decoded, kept until its file changes.
    QString picturePath;
    QDateTime pictureModified;
    qint64 pictureSize = -1;
    QPixmap pictureCache;
};
