#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <array>

// The one settings record of the running program. Fields carry the store's key names.
struct AppSettings {
    qint16 WinHeight = 0;
    qint16 WinWidth = 0;
    std::array<qint16, 5> PresetHeights{};
    std::array<qint16, 5> PresetWidths{};

    QString OptCent;
    QString OptSize;
    QString OptDbl;
    QString OptDateTime;
    QString OptBM;
    QString OptHaik;
    QString OptBFile;
    QString OptMsgMove;

    QString M_Left;
    QString M_Top;
    std::array<QString, 3> Label_Left;
    std::array<QString, 3> Label_Top;

    QString OptLAct;
    QString OptLATab;
    // Text as loaded; a number once the settings window has stored it.
    QVariant OptReturn;

    std::array<QString, 5> OptColor;
    std::array<QString, 2> OptMsg;
    std::array<QString, 4> OptFont;
    std::array<QString, 4> OptFont2;

    QDate TheDate; // null: no event date yet
    QDate SavedTheDate;
    float MinimizedAt = 0;
    quint8 MainActivated = 0;
    QString DateText;
    QString TimeText;

    QString AppKey;
    QString HelpFilePath;
    // The countdown's own name (peltra --profile NAME); empty for the default countdown.
    QString countdownName;

    // The switches as the program acts on them. The texts above stay as the store holds them, since a
    // text the program never writes is kept until the user saves that switch.
    [[nodiscard]] bool centres() const { return OptCent == u"1"; }
    [[nodiscard]] bool endsOnDoubleClick() const { return OptDbl == u"1"; }
    [[nodiscard]] bool showsDateTime() const { return OptDateTime != u"0"; }
    // The return sound has three states: played ("1"), none at all ("2"), and any other text, for
    // which the return says that the sound is missing.
    [[nodiscard]] bool playsChime() const { return OptBM == u"1"; }
    [[nodiscard]] bool returnsSilently() const { return OptBM == u"2"; }
    [[nodiscard]] bool usesPicture() const { return OptHaik == u"1"; }
    [[nodiscard]] bool movesTexts() const { return OptMsgMove == u"1"; }
    [[nodiscard]] bool remembersTab() const { return OptLAct == u"1"; }
};

// Section names of the store.
namespace Section {
inline const QString Config = QStringLiteral("Config");
inline const QString Position = QStringLiteral("Position");
inline const QString Fonts = QStringLiteral("Fonts");
} // namespace Section

// The return delay in whole seconds, whichever form OptReturn holds.
qint64 returnDelaySeconds(const AppSettings& settings);
