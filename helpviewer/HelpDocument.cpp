#include "helpviewer/HelpDocument.h"

#include "app/core/HelpRequest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The descriptor, or -1 with errno telling why it could not be opened or locked.
int openLocked(const QString& path, int flags, int lockMode) {
    const int descriptor = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, 0600);
    if (descriptor >= 0 && ::flock(descriptor, lockMode) != 0) {
        const int reason = errno;
        ::close(descriptor);
        errno = reason;
        return -1;
    }
    return descriptor;
}

QString systemReason(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

QString cannotMake(const QString& folder, const QString& reason) {
    return QStringLiteral("ヘルプの作業用フォルダー「%1」を作れません: %2")
        .arg(QDir::toNativeSeparators(folder), reason);
}

// Each collection folder is locked by the viewer that uses it; the kernel drops the lock when
// that viewer dies, however it dies, so an unlocked folder is abandoned.
void removeAbandonedCollections(const QDir& parent) {
    const QFileInfoList folders = parent.entryInfoList({QStringLiteral("collection-*")}, QDir::Dirs | QDir::Hidden);
    for (const QFileInfo& folder : folders) {
        const int descriptor = openLocked(folder.filePath(), O_RDONLY | O_DIRECTORY, LOCK_EX | LOCK_NB);
        if (descriptor < 0)
            continue;
        QDir(folder.filePath()).removeRecursively();
        ::close(descriptor);
    }
}

} // namespace

HelpDocument::HelpDocument(QString helpFile, QObject* parent) : QObject(parent), file(std::move(helpFile)) {
    open();
}

HelpDocument::~HelpDocument() {
    // The engine builds its contents and index on threads of its own that read the engine's
    // collection as they go; it must not go away under them.
    if (helpEngine)
        while (helpEngine->contentModel()->isCreatingContents() || helpEngine->indexModel()->isCreatingIndex())
            QThread::msleep(2);
    helpEngine.reset();
    if (!collectionFolder.isEmpty())
        QDir(collectionFolder).removeRecursively();
    if (collectionLock >= 0)
        ::close(collectionLock);
}

bool HelpDocument::createCollectionFolder() {
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        cache = QDir::tempPath();
    const QDir parent(cache + QStringLiteral("/peltra-help"));
    std::error_code made;
    std::filesystem::create_directories(QFile::encodeName(parent.path()).toStdString(), made);
    if (made || !QFileInfo(parent.path()).isDir()) {
        error = cannotMake(parent.path(), made ? QString::fromLocal8Bit(made.message().c_str()) : systemReason(EEXIST));
        return false;
    }
    // Viewers make and sweep folders one at a time, so that none sweeps away a folder another has
    // made but not yet locked.
    const QString lockFile = parent.filePath(QStringLiteral(".lock"));
    const int parentLock = openLocked(lockFile, O_RDWR | O_CREAT, LOCK_EX);
    if (parentLock < 0) {
        error = QStringLiteral("ヘルプの作業用フォルダーのロック「%1」を開けません: %2")
                    .arg(QDir::toNativeSeparators(lockFile), systemReason(errno));
        return false;
    }
    removeAbandonedCollections(parent);
    QTemporaryDir folder(parent.filePath(QStringLiteral("collection-XXXXXX")));
    if (!folder.isValid()) {
        error = cannotMake(parent.filePath(QStringLiteral("collection-XXXXXX")), folder.errorString());
    } else {
        collectionLock = openLocked(folder.path(), O_RDONLY | O_DIRECTORY, LOCK_EX | LOCK_NB);
        if (collectionLock >= 0) {
            folder.setAutoRemove(false);
            collectionFolder = folder.path();
        } else {
            error = QStringLiteral("ヘルプの作業用フォルダー「%1」をロックできません: %2")
                        .arg(QDir::toNativeSeparators(folder.path()), systemReason(errno));
        }
    }
    ::close(parentLock);
    return !collectionFolder.isEmpty();
}

bool HelpDocument::open() {
    const QFileInfo info(file);
    if (!info.exists()) {
        error = QStringLiteral("ヘルプファイル「%1」が見つかりません。").arg(file);
        return false;
    }
    error = QStringLiteral("ヘルプファイル「%1」を読み込めません。").arg(file);
    // An empty file would open as an empty database; a folder or a device is no help file at all.
    if (!info.isFile() || info.size() == 0 || !info.isReadable())
        return false;
    const QString name = QHelpEngineCore::namespaceName(file);
    if (name.isEmpty())
        return false;

    if (!createCollectionFolder())
        return false;
    auto engine = std::make_unique<QHelpEngine>(collectionFolder + QStringLiteral("/peltra.qhc"));
    engine->setReadOnly(false); // the collection is ours to create
    engine->setUsesFilterEngine(true);
    if (!engine->setupData() || !engine->registerDocumentation(file))
        return false;
    helpEngine = std::move(engine);
    namespaceName = name;
    error.clear();
    return true;
}

QUrl HelpDocument::pageForContext(int context) const {
    if (!helpEngine)
        return {};
    const QList<QHelpLink> links = helpEngine->documentsForIdentifier(HelpRequest::identifierFor(context));
    return links.isEmpty() ? QUrl() : links.first().url;
}

QUrl HelpDocument::contentsPage() const {
    if (!helpEngine)
        return {};
    const QList<QUrl> pages = helpEngine->files(namespaceName, QString(), QStringLiteral("html"));
    for (const QUrl& page : pages)
        if (page.path().endsWith(QLatin1String("/index.html")))
            return page;
    return pages.isEmpty() ? QUrl() : pages.first();
}
