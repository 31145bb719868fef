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
};

// Section names of the store.
namespace Section {
inline const QString Config = QStringLiteral("Config");
inline const QString Position = QStringLiteral("Position");
inline const QString Fonts = QStringLiteral("Fonts");
} // namespace Section

// The return delay in whole seconds, whichever form OptReturn holds.
qint64 returnDelaySeconds(const AppSettings& settings);
