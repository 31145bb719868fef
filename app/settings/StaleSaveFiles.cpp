#include "app/settings/StaleSaveFiles.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

QStringList removeStaleSaveFiles(const QString& settingsFile, const QDateTime& now) {
    constexpr qint64 staleAfterSeconds = 60;
    const QFileInfo settings(settingsFile);
    // The settings file's name, a dot and six letters or digits: what a save's temporary file is called.
    const QString base = settings.fileName() + u'.';
    const auto isLeftover = [&base](const QString& name) {
        constexpr qsizetype suffix = 6;
        return name.size() == base.size() + suffix && name.startsWith(base) &&
               std::all_of(name.cend() - suffix, name.cend(),
                           [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
    };
    const QDir folder = settings.absoluteDir();
    QStringList removed;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!isLeftover(name))
            continue;
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        // lstat: a link is never followed, nor is another user's file touched.
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        if (now.toSecsSinceEpoch() - qint64(info.st_mtime) < staleAfterSeconds)
            continue;
        if (::unlink(path.constData()) == 0)
            removed << name;
    }
    return removed;
}
