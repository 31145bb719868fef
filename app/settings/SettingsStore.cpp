#include "app/settings/SettingsStore.h"

#include "app/core/CountdownName.h"
#include "app/settings/SettingsFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <optional>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString folderName = QStringLiteral("PELTRA");
const QString storeFileName = QStringLiteral("PELTRA.ini");
const QString namedFolderName = QStringLiteral("countdowns");
const QString namedSuffix = QStringLiteral(".ini");

QString storeFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + folderName;
}

bool isOwnRegularFile(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_uid == geteuid();
}

struct FileRead {
    enum State { Missing, Read, Refused, Unreadable } state;
    QByteArray bytes;
};

// Reads the file without ever blocking: a FIFO, a device or a file of another user is refused before it
// is opened, and checked again on the open file in case it was swapped meanwhile.
FileRead readOwnFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return {errno == ENOENT ? FileRead::Missing : FileRead::Refused, {}};
    if (!isOwnRegularFile(info))
        return {FileRead::Refused, {}};
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return {FileRead::Unreadable, {}};
    FileRead result{FileRead::Read, {}};
    if (::fstat(descriptor, &info) != 0 || !isOwnRegularFile(info))
        result.state = FileRead::Refused;
    char buffer[65536];
    while (result.state == FileRead::Read) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count == 0)
            break;
        if (count > 0)
            result.bytes.append(buffer, count);
        else if (errno != EINTR)
            result.state = FileRead::Unreadable;
    }
    ::close(descriptor);
    if (result.state != FileRead::Read)
        result.bytes.clear();
    return result;
}

// The file to replace for the store at path: the path itself, or the file its link leads to; nothing
// when that is not a regular file of this user.
std::optional<QString> replaceableFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return errno == ENOENT ? std::optional(path) : std::nullopt;
    if (!S_ISLNK(info.st_mode))
        return isOwnRegularFile(info) ? std::optional(path) : std::nullopt;
    if (::stat(name.constData(), &info) != 0 || !isOwnRegularFile(info))
        return std::nullopt;
    return QFileInfo(path).canonicalFilePath();
}

bool syncToDisk(QFileDevice& file) {
    return file.flush() && ::fsync(file.handle()) == 0;
}

void syncFolder(const QString& folder) {
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

// A new file beside the old one, synced, then renamed over it: a reader or a kill sees one or the other.
bool replaceAtomically(const QString& target, const QByteArray& bytes) {
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size() || !syncToDisk(file)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    syncFolder(QFileInfo(target).absolutePath());
    return true;
}

} // namespace

SettingsStore::Batch::Batch(SettingsStore& store) : store(store) {
    ++store.openBatches;
}

SettingsStore::Batch::~Batch() {
    // Nobody is left to tell: what this write would have told stays for the next result.
    if (open && --store.openBatches == 0 && store.savedInBatch) {
        store.savedInBatch = false;
        store.writeFile();
    }
}

StoreWrite SettingsStore::Batch::commit() {
    if (!open)
        return {written, {}, {}};
    open = false;
    if (--store.openBatches == 0 && store.savedInBatch) {
        store.savedInBatch = false;
        StoreWrite write = store.writeAll();
        written = write.written;
        return write;
    }
    return {};
}

SettingsStore::SettingsStore(QString countdownName) : name(std::move(countdownName)) {
    reopen();
}

QString SettingsStore::fileFor(const QString& countdownName) {
    if (countdownName.isEmpty())
        return storeFolder() + u'/' + storeFileName;
    return storeFolder() + u'/' + namedFolderName + u'/' + countdownName + namedSuffix;
}

QStringList SettingsStore::namedCountdowns() {
    QStringList names;
    const QDir folder(storeFolder() + u'/' + namedFolderName);
    for (const QString& file : folder.entryList({u'*' + namedSuffix}, QDir::Files | QDir::Hidden)) {
        const QString typed = file.chopped(namedSuffix.size());
        // Only a file that the name it spells leads back to: not "Ａ" stored under a decomposed spelling.
        if (const auto name = CountdownName::fromTyped(typed); name && *name == typed)
            names << *name;
    }
    return names;
}

SettingsStore::~SettingsStore() = default;

void SettingsStore::reopen() {
    path = fileFor(name);
    values.clear();
    bytesRead.clear();
    damaged = false;
    damagedCopy.clear();
    failureTold = false;
    copyTold = false;
    const FileRead file = readOwnFile(path);
    unreadable = file.state == FileRead::Unreadable;
    if (file.state != FileRead::Read)
        return;
    SettingsFileContents contents = parseSettingsFile(file.bytes);
    values = std::move(contents.values);
    damaged = contents.damaged;
    if (damaged)
        bytesRead = file.bytes;
}

QString SettingsStore::Get(const QString& section, const QString& key) const {
    return values.value(section + u'/' + key);
}

StoreWrite SettingsStore::Save(const QString& section, const QString& key, const QString& value) {
    values.insert(section + u'/' + key, value);
    if (openBatches > 0) {
        savedInBatch = true;
        return {};
    }
    return writeAll();
}

StoreWrite SettingsStore::writeAll() {
    return result(writeFile());
}

StoreWrite SettingsStore::result(bool written) {
    StoreWrite write{written, {}, {}};
    if (!damagedCopy.isEmpty() && !copyTold) {
        copyTold = true;
        write.damagedCopy = damagedCopy;
    }
    if (!written && !failureTold) {
        failureTold = true;
        write.failedFile = path;
    }
    return write;
}

bool SettingsStore::writeFile() {
    if (unreadable || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    const std::optional<QString> target = replaceableFile(path);
    if (!target || (damaged && !keepDamagedCopy()))
        return false;
    if (!replaceAtomically(*target, formatSettingsFile(values)))
        return false;
    damaged = false;
    bytesRead.clear();
    return true;
}

bool SettingsStore::keepDamagedCopy() {
    if (!damagedCopy.isEmpty())
        return true;
    const QString stem =
        path + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    // A new name every time: an earlier copy is never overwritten, nor a link followed.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = attempt == 0 ? stem : stem + u'-' + QString::number(attempt);
        QFile copy(name);
        if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            continue;
        if (copy.write(bytesRead) != bytesRead.size() || !syncToDisk(copy)) {
            copy.remove();
            return false;
        }
        damagedCopy = name;
        return true;
    }
    return false;
}
