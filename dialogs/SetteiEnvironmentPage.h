#pragma once

#include <QStringList>
#include <QWidget>

#include <array>

class QCheckBox;
class QPushButton;
struct AppSettings;
struct SetteiPickers;

// Page "環境設定" of the settings window: the behaviour switches and the background-file picker.
class SetteiEnvironmentPage : public QWidget {
    Q_OBJECT

public:
    // The picture picker opens at startFolder.
    SetteiEnvironmentPage(const SetteiPickers& pickers, QString startFolder, QWidget* parent = nullptr);

    // Centring, double-click end, date and time, return sound, background picture, moving the
    // messages, remembering the tab.
    std::array<QCheckBox*, 7> Check1{};
    QPushButton* Command4 = nullptr; // "..." beside the background picture switch

    void load(const AppSettings& settings);
    [[nodiscard]] std::array<bool, 7> ticked() const;

    // The background-file picker's filters: first every picture the countdown window decodes (PNG,
    // JPEG, bitmaps, and GIF where Qt reads it), then each of them, then all files. Both cases of
    // each extension, as file names on Linux keep their case.
    static QStringList fileFilters();
    // Where the picker opens: the user's pictures folder, else the home folder.
    static QString pictureFolder();

signals:
    // A background picture was chosen with "...": in force and stored at once, whichever button
    // later closes the window.
    void pictureChosen(const QString& path);

private:
    void Check1_Click(int index);
    void Command4_Click();

    const SetteiPickers& pickers;
    QString startFolder;
};
