#pragma once

#include <QDateTime>
#include <QPixmap>
#include <QPointF>
#include <QSize>
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
    // The count's text; its box follows the text's width at the preset's height, and an empty
    // count shows no box at all.
    void showCount(const QString& text);
    // The picture fills the client area between the menu and the status bar; called again whenever
    // that area changes size, since the picture is decoded at the size it is shown.
    void sizePicture();

    [[nodiscard]] QPointF labelPosition(int index) const;
    void setLabelPosition(int index, QPointF twips);
    [[nodiscard]] double labelWidth(int index) const;
    [[nodiscard]] double labelHeight(int index) const;

    // Whether a picture is shown; false also when the chosen file could not be used.
    [[nodiscard]] bool showsPicture() const;

private:
    void setLabelGeometry(int index, double left, double height, double width, double pointSize);
    void fitCount();
    void applyPicture(const AppSettings& settings);
    void showPicture();
    const QPixmap& picture(const QString& path, QSize pixels);

    CountdownWidgets widgets;
    double panel1Width = 0;
    double countHeight = 0;
    std::array<QPointF, 3> placedTwips{};

    // The picture the settings ask for, and the last one decoded, kept until its file or the size
    // it is shown at changes.
    QString wantedPicture;
    QString picturePath;
    QSize pictureShownSize;
    QDateTime pictureModified;
    qint64 pictureSize = -1;
    QPixmap pictureCache;
};
