#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// The three standard dialogs of the settings window. Each answers nothing when it was cancelled.
// Tests put their own answers in place of the dialogs.
struct SetteiPickers {
    std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)> pickColor;
    std::function<std::optional<QFont>(QWidget* parent, const QFont& initial)> pickFont;
    std::function<std::optional<QString>(QWidget* parent, const QString& startFolder, const QStringList& filters)>
        pickFile;

    // Qt's colour, font and open-file dialogs.
    static SetteiPickers standard();
};
