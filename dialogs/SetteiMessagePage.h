#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct AppSettings;
struct SetteiPickers;

// Page "メッセージ等" of the settings window: the two messages, the message font and the count font.
class SetteiMessagePage : public QWidget {
    Q_OBJECT

public:
    SetteiMessagePage(const SetteiPickers& pickers, QWidget* parent = nullptr);

    std::array<QLabel*, 2> Label1{};   // "上段", "下段"
    std::array<QLineEdit*, 2> Text2{}; // upper and lower message
    QGroupBox* Frame1_6 = nullptr;     // message font
    QGroupBox* Frame1_2 = nullptr;     // count font
    std::array<QLabel*, 2> Label2{};   // font names
    std::array<QPushButton*, 2> Command2{};
    std::array<QCheckBox*, 2> Check2{}; // message bold, italic (shown only)
    std::array<QCheckBox*, 1> Check3{}; // count bold (shown only)

    void load(const AppSettings& settings);
    [[nodiscard]] std::array<QString, 2> messages() const;

signals:
    // A font was picked for the messages (0) or the count (1), as the four texts of its setting: in
    // force at once; the store gets it when the page is saved.
    void fontPicked(int index, const std::array<QString, 4>& font);

private:
    void Command2_Click(int index);
    void showFontFlags(int index, const std::array<QString, 4>& font);

    const SetteiPickers& pickers;
    // The messages as loaded and as their boxes showed them: a box holds at most 32,767 characters, and a
    // text not edited stays whole.
    std::array<QString, 2> loadedMessages;
    std::array<QString, 2> shownMessages;
    // The message font and the count font as last loaded or picked.
    std::array<std::array<QString, 4>, 2> fonts;
};
