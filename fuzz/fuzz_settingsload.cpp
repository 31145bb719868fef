// The program's own start-up load over a settings file of raw bytes: the store reads the file from a
// private folder, the loader fills the record and writes what was missing, a damaged file is kept
// beside the store and replaced by a clean one. No crash, no undefined behaviour, no key lost.
#include "app/core/AppSettings.h"
#include "app/core/DateTimeText.h"
#include "app/settings/SettingsFile.h"
#include "app/settings/SettingsLoader.h"
#include "app/settings/SettingsStore.h"
#include "app/settings/StoreWriteReport.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzPlatform.h"
#include "fuzz/LoadedRecordCheck.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <signal.h>
#include <unistd.h>

namespace {

// The store's folder lives in memory where it can (the loader syncs every write) and never in the
// user's own configuration: XDG_CONFIG_HOME points here before any store is made. It is named after
// the process, so that a run that crashed leaves a folder the next run recognises and removes.
const QString configHomePrefix = QStringLiteral("peltra-fuzz-config-");
QString configHome;
QString storeFolder;
ScriptedPlatform* platform = nullptr;

QString configHomeParent() {
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    return memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
}

void removeFoldersOfEndedRuns(const QString& parent) {
    const QDir folder(parent);
    for (const QString& name : folder.entryList({configHomePrefix + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isNumber = false;
        const qint64 pid = name.mid(configHomePrefix.size()).toLongLong(&isNumber);
        if (isNumber && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            QDir(folder.filePath(name)).removeRecursively();
    }
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void emptyStoreFolder() {
    QDir folder(storeFolder);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        folder.remove(name);
}

QString valuesDetail(const QMap<QString, QString>& values) {
    QString detail;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        detail += visible(it.key()) + u'=' + visible(it.value()) + u'\n';
    return detail;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const QString parent = configHomeParent();
    removeFoldersOfEndedRuns(parent);
    configHome = parent + u'/' + configHomePrefix + QString::number(::getpid());
    storeFolder = configHome + QStringLiteral("/PELTRA");
    QDir(configHome).removeRecursively();
    if (!QDir().mkpath(storeFolder))
        std::abort();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome));
    platform = new ScriptedPlatform;
    fixScreenAndClock(*platform);
    // libFuzzer ends a run without a finding with exit().
    std::atexit([] { QDir(configHome).removeRecursively(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    emptyStoreFolder();
    const QString storePath = storeFolder + QStringLiteral("/PELTRA.ini");
    {
        QFile file(storePath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
    const SettingsFileContents parsed = parseSettingsFile(bytes);
    platform->messages.clear();

    SettingsStore store;
    require(store.fileName() == storePath, "the store reads the file of XDG_CONFIG_HOME", store.fileName());
    AppSettings settings;
    bool askedForDate = false;
    // The event-date window, when no usable date is stored, confirms a date as its OK does, and tells
    // what its save did.
    loadSettings(settings, store, *platform, [&] {
        askedForDate = true;
        settings.TheDate = QDate(2026, 12, 24);
        reportStoreWrite(*platform, store.Save(SettingsKeys::TheDate, storedDateText(settings.TheDate)));
    });
    require(settings.TheDate.isValid(), "the record holds an event date after the load");
    checkLoadedRecord(settings);

    // No key that could be read is lost or changed: the loader writes only where nothing was stored.
    for (auto it = parsed.values.cbegin(); it != parsed.values.cend(); ++it) {
        if (it.value().isEmpty() || (askedForDate && it.key() == QStringLiteral("Config/TheDate")))
            continue;
        const qsizetype slash = it.key().indexOf(u'/');
        if (slash <= 0)
            continue; // "General" keys: the loader never asks for them
        require(store.Get(it.key().left(slash), it.key().mid(slash + 1)) == it.value(), "a read key is kept",
                visible(it.key()) + u'=' + visible(it.value()));
    }

    const QByteArray onDisk = readFile(storePath);
    const SettingsFileContents written = parseSettingsFile(onDisk);
    if (parsed.damaged) {
        // Kept beside the store as it was, replaced by a clean file, and the user told once.
        const QStringList copies =
            QDir(storeFolder).entryList({QStringLiteral("PELTRA.ini.damaged-*")}, QDir::Files | QDir::Hidden);
        require(copies.size() == 1, "a damaged file is kept once", QString::number(copies.size()));
        require(readFile(storeFolder + u'/' + copies.first()) == bytes, "the kept copy is the file as it was");
        require(platform->messages.size() == 1 && platform->messages.first().style == MessageStyle::Information &&
                    platform->messages.first().prompt.contains(copies.first()),
                "the user is told once, with the copy's name", QString::number(platform->messages.size()));
    } else {
        require(platform->messages.isEmpty(), "a clean file is loaded without a message",
                platform->messages.isEmpty() ? QString() : platform->messages.first().prompt);
    }
    if (onDisk != bytes) {
        require(!written.damaged, "the file the loader writes is clean", QString::fromUtf8(onDisk));
        for (auto it = parsed.values.cbegin(); it != parsed.values.cend(); ++it) {
            if (!it.value().isEmpty() && !(askedForDate && it.key() == QStringLiteral("Config/TheDate")))
                require(written.values.value(it.key()) == it.value(), "a read key is in the written file",
                        visible(it.key()) + u'=' + visible(it.value()) + QStringLiteral("\nfile:\n") +
                            valuesDetail(written.values));
        }
    }
    return 0;
}
