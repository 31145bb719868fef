#include "app/settings/StaleSaveFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <sys/stat.h>
#include <unistd.h>

QStringList removeStaleSaveFiles(const QString& settingsFile, const QDateTime& now) {
    constexpr qint64 staleAfterSeconds = 60;
    const QFileInfo settings(settingsFile);
    const QRegularExpression leftover(u'^' + QRegularExpression::escape(settings.fileName()) +
                                      QStringLiteral(R"(\.[A-Za-z0-9]{6}$)"));
    const QDir folder = settings.absoluteDir();
    QStringList removed;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!leftover.match(name).hasMatch())
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
