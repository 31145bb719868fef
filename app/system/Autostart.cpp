#include "app/system/Autostart.h"

#include "app/core/CountdownName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

// Quoted as the desktop entry format asks when the path holds a blank or a reserved character; a
// percent sign would otherwise read as a field code, a backslash is escaped once for the quoting and
// once for the string value.
QString execArgument(const QString& path) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString escaped = path;
    escaped.replace(QLatin1Char('%'), QLatin1String("%%"));
    if (std::none_of(path.begin(), path.end(), [](QChar c) { return reserved.contains(c); }))
        return escaped;
    QString quoted;
    for (const QChar c : escaped) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$'))
            quoted += QLatin1Char('\\');
        else if (c == QLatin1Char('\\'))
            quoted += QLatin1String(R"(\\\)");
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// The installed program is started by name, so that an update in place keeps working; a build run
// from its own folder is started where it is.
QString execLine() {
    const QString running = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("peltra"));
    if (!onPath.isEmpty() && QFileInfo(onPath).canonicalFilePath() == running)
        return QStringLiteral("peltra");
    return execArgument(running);
}

// A named countdown's entry starts that countdown and says its name where the desktop lists it.
QByteArray entryText(const QString& countdownName) {
    QString exec = execLine();
    QString suffix;
    if (!countdownName.isEmpty()) {
        exec += QStringLiteral(" --profile ") + execArgument(countdownName);
        suffix = QStringLiteral(" (%1)").arg(countdownName);
    }
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=PELTRA%2\n"
                          "Name[ja]=ペルトラ%2\n"
                          "Comment=Count down the days to your event\n"
                          "Comment[ja]=イベントの日までの残り日数を表示します\n"
                          "Exec=%1\n"
                          "Icon=peltra\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(exec, suffix)
        .toUtf8();
}

// Only a plain file at our path is ours to replace or remove; a folder or a link was put there by
// someone else, for a reason of their own.
bool isForeign(const QFileInfo& entry) {
    return entry.isSymLink() || (entry.exists() && !entry.isFile());
}

} // namespace

namespace Autostart {

QString entryPath(const QString& countdownName) {
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        configHome = QDir::homePath() + QLatin1String("/.config");
    // Desktop file names keep to plain letters: a named countdown's goes by its short key.
    const QString file = countdownName.isEmpty()
                             ? QStringLiteral("peltra.desktop")
                             : QStringLiteral("peltra-%1.desktop").arg(CountdownName::shortKey(countdownName));
    return QDir::cleanPath(configHome + QLatin1String("/autostart/") + file);
}

bool isEnabled(const QString& countdownName) {
    const QFileInfo entry(entryPath(countdownName));
    if (isForeign(entry) || !entry.exists())
        return false;
    // The desktop's own start-up settings switch an entry off in place rather than removing it.
    QFile file(entry.filePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false")
            return false;
    }
    return true;
}

Change setEnabled(bool on, const QString& countdownName) {
    const QString path = entryPath(countdownName);
    const QString shownPath = QDir::toNativeSeparators(path);
    const QFileInfo entry(path);
    if (isForeign(entry))
        return {Change::Foreign, shownPath, {}};
    if (!on) {
        QFile file(path);
        if (!entry.exists() || file.remove())
            return {Change::Done, shownPath, {}};
        return {Change::NotRemoved, shownPath, file.errorString()};
    }
    if (!QDir().mkpath(entry.absolutePath()))
        return {Change::FolderNotMade, QDir::toNativeSeparators(entry.absolutePath()), {}};
    QSaveFile file(path);
    const QByteArray text = entryText(countdownName);
    // A short write (a full disk) must not leave a cut entry in place of the old one.
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return {Change::Done, shownPath, {}};
    const QString reason = file.errorString();
    file.cancelWriting();
    return {Change::NotWritten, shownPath, reason};
}

} // namespace Autostart
