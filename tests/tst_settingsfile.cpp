// The settings file on disk: its format against QSettings, damaged files, refused files, failures, batches.
#include "app/settings/SettingsLoader.h"
#include "app/settings/StaleSaveFiles.h"
#include "tests/support/TestStore.h"

#include <QApplication>
#include <QSettings>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TestSettingsFile : public StoreTestCase {
    Q_OBJECT

    SettingsStore& inUse() { return store->settingsStore(); }
    bool fileIsClean() const { return !parseSettingsFile(store->fileBytes()).damaged; }

private slots:
    // Texts written here read back the same here and in QSettings (an older build), and the other way round.
    void formatAgainstQSettings_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("Japanese") << "高校の入学試験まであと・・・";
        QTest::newRow("newlines, tab, quotes") << "一\n二\r\n\t\"a\" \\ b\\\"\\\\ \"";
        QTest::newRow("separators, blanks around") << "  a;b,c=d, e \t ";
        QTest::newRow("non-BMP, at sign, mark, controls") << QString::fromUtf8("@ByteArray(𠮷 😀)\uFEFF\u0001\u007Fa9");
    }
    void formatAgainstQSettings() {
        QFETCH(QString, text);
        const QMap<QString, QString> values{{"Config/OptMsg(0)", text}, {"Config/OptMsg(1)", ""}, {"Top", text}};
        store->presetFile(formatSettingsFile(values));
        QVERIFY(store->contents() == values && fileIsClean());
        QCOMPARE(QSettings(store->iniPath(), QSettings::IniFormat).value("Config/OptMsg(0)").toString(), text);
        QFile::remove(store->iniPath());
        for (QSettings theirs(store->iniPath(), QSettings::IniFormat); const auto& [k, v] : values.asKeyValueRange())
            theirs.setValue(k, v);
        QVERIFY(store->contents() == values && fileIsClean());
    }

    // Every readable key kept, the file kept as it was beside it, the user told once, later saves not failed.
    void damagedFile_data() {
        QTest::addColumn<QByteArray>("damage"); // a line after the upper message
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("comment") << QByteArray("# 自分用のメモ\n");
        QTest::newRow("binary garbage") << QByteArray("\x00\x01\xff\xfe=\x80\x02garbage\n\x7f\x1b\n", 18);
        QTest::newRow("unterminated section") << QByteArray("[Fonts\n");
    }
    void damagedFile() {
        QFETCH(QByteArray, damage);
        const QByteArray top = "[Config]\nTheDate=2027/03/01\nOptMsg%280%29=上の言葉\n";
        const QByteArray damaged = (damage[0] == '\xEF' ? damage + top : top + damage) + "[Position]\nOptSize=0\n";
        store->presetFile(damaged);
        loadSettings(settings, inUse(), *platform, [] { QFAIL("date asked for"); });
        QVERIFY(settings.OptSize == "0" && fileIsClean());
        const QFileInfoList copies = QFileInfo(store->iniPath()).dir().entryInfoList({"PELTRA.ini.damaged-*"});
        QVERIFY(copies.size() == 1 && platform->messages.value(0).prompt.contains(copies[0].filePath()));
        QFile file(copies[0].filePath());
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == damaged);
        // The copy is named once, by the write that made it; the store itself shows nothing.
        const StoreWrite later = inUse().Save(Section::Config, "OptMsg(1)", "下の言葉");
        QVERIFY(later && later.damagedCopy.isEmpty() && later.failedFile.isEmpty() && platform->messages.size() == 1);
        QCOMPARE(store->value(Section::Config, "OptMsg(0)") + store->value(Section::Config, "OptMsg(1)"),
                 "上の言葉下の言葉");
    }

    // Not read, no hang, nothing written through it, one notice; once it is gone, a save carries what failed.
    void notOwnRegularFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to another user's file") << "other";
    }
    void notOwnRegularFile() {
        QFETCH(QString, kind);
        const QByteArray path = QFile::encodeName(store->iniPath()), target = path + ".target";
        const auto targetState = [&] {
            struct stat s {};
            return std::tuple(::lstat(target, &s), s.st_mode, s.st_uid, s.st_ino, s.st_size);
        };
        store->presetFile("[Config]\nTheDate=2027/03/01\n#\n"); // read, it would give a date and a copy
        if (::geteuid() != 0 && kind != u"fifo")                // only root gives a file away
            QSKIP("not root");
        if (kind == u"other")
            QVERIFY(::rename(path, target) == 0 && ::chown(target, 65534, 65534) == 0);
        QFile::remove(store->iniPath());
        QCOMPARE(kind == u"fifo" ? ::mkfifo(path, 0600) : ::symlink(target, path), 0);
        const auto before = targetState();
        inUse().reopen();
        QVERIFY(inUse().Get(Section::Config, "TheDate").isEmpty());
        const StoreWrite first = inUse().Save(Section::Config, "OptDbl", "0");
        const StoreWrite second = inUse().Save(Section::Config, "OptBM", "2");
        QCOMPARE(std::tuple(first.written, second.written, first.failedFile, second.failedFile),
                 std::tuple(false, false, store->iniPath(), QString()));
        QCOMPARE(targetState(), before);
        const QStringList entries =
            QFileInfo(path).dir().entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        QCOMPARE(std::pair(QFileInfo(path).isSymLink(), int(entries.size())),
                 std::pair(kind != u"fifo", kind == u"fifo" ? 1 : 2));
        QVERIFY(QFile::remove(path));
        const StoreWrite after = inUse().Save(Section::Config, "OptHaik", "1");
        QVERIFY(after && after.failedFile.isEmpty() && platform->messages.isEmpty());
        QCOMPARE(store->value(Section::Config, "OptDbl") + store->value(Section::Config, "OptHaik"), "01");
    }

    // A named countdown writes its own file beside the default one, which it never touches.
    void namedCountdownHasItsOwnFile() {
        store->preset(Section::Config, "TheDate", "2027/03/01");
        const QByteArray defaultFile = store->fileBytes();
        SettingsStore named(QStringLiteral("誕生日"));
        QVERIFY(named.Get(Section::Config, "TheDate").isEmpty());
        QVERIFY(named.Save(Section::Config, "TheDate", "2026/12/25"));
        const QString file = store->configFolder() + QStringLiteral("/PELTRA/countdowns/誕生日.ini");
        QCOMPARE(named.fileName(), file);
        QCOMPARE(parseSettingsFile([&] {
                     QFile f(file);
                     return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
                 }())
                     .values.value("Config/TheDate"),
                 "2026/12/25");
        QCOMPARE(std::pair(store->fileBytes(), SettingsStore::namedCountdowns()),
                 std::pair(defaultFile, QStringList{QStringLiteral("誕生日")}));
    }

    // Saves inside a batch are one write, at its end; reading never writes.
    void batchWritesOnceAtItsEnd() {
        store->preset(Section::Position, "OptSize", "2");
        const QByteArray before = store->fileBytes();
        SettingsStore::Batch batch(inUse());
        inUse().Save(Section::Position, "OptSize", "0"), inUse().Save(Section::Position, "Label_Left(0)", "256");
        QCOMPARE(store->fileBytes(), before);
        QVERIFY(batch.commit());
        QCOMPARE(store->value(Section::Position, "OptSize") + store->value(Section::Position, "Label_Left(0)"), "0256");
    }
};

// A leftover of a killed save beside the file: its name, how long untouched (s), what it is; removed?
using Leftover = std::tuple<QString, int, QString, bool>;

class TestStaleSaveFiles : public StoreTestCase {
    Q_OBJECT
private slots:
    void removedAtStart_data() {
        QTest::addColumn<Leftover>("row");
        QTest::newRow("a killed save, two minutes old") << Leftover{"PELTRA.ini.aB3xZ9", 120, "file", true};
        QTest::newRow("a save under way") << Leftover{"PELTRA.ini.aB3xZ9", 20, "file", false};
        QTest::newRow("the kept damaged file") << Leftover{"PELTRA.ini.damaged-20261206-100000", 3600, "file", false};
        QTest::newRow("five characters") << Leftover{"PELTRA.ini.aB3xZ", 3600, "file", false};
        QTest::newRow("seven characters") << Leftover{"PELTRA.ini.aB3xZ9q", 3600, "file", false};
        QTest::newRow("not ours by name") << Leftover{"OTHER.ini.aB3xZ9", 3600, "file", false};
        QTest::newRow("not letters or digits") << Leftover{"PELTRA.ini.aB3x-9", 3600, "file", false};
        QTest::newRow("another file's name before") << Leftover{"XPELTRA.ini.aB3xZ9", 3600, "file", false};
        QTest::newRow("a link") << Leftover{"PELTRA.ini.aB3xZ9", 3600, "link", false};
        QTest::newRow("a folder") << Leftover{"PELTRA.ini.aB3xZ9", 3600, "folder", false};
        QTest::newRow("another user's") << Leftover{"PELTRA.ini.aB3xZ9", 3600, "theirs", false};
    }
    void removedAtStart() {
        QFETCH(Leftover, row);
        const auto& [name, age, kind, removed] = row;
        if (kind == "theirs" && ::geteuid() != 0)
            QSKIP("only root can give a file to another user");
        const QDir folder = QFileInfo(store->iniPath()).absoluteDir();
        QVERIFY(folder.mkpath("."));
        const QString path = folder.filePath(name), target = folder.filePath("target");
        QFile file(kind == "link" ? target : path);
        QVERIFY(kind == "folder" ? folder.mkdir(name) : file.open(QIODevice::WriteOnly) && file.write("[Config]\n"));
        file.close();
        QVERIFY(kind != "link" || QFile::link(target, path));
        QVERIFY(kind != "theirs" || ::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
        const QDateTime now = QDateTime::currentDateTime().addSecs(age);
        QCOMPARE(removeStaleSaveFiles(store->iniPath(), now), removed ? QStringList{name} : QStringList{});
        QCOMPARE(QFileInfo::exists(path) || QFileInfo(path).isSymLink(), !removed);
        QVERIFY(kind != "link" || QFile::exists(target)); // what a link points at stays too
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    TestSettingsFile settingsFile;
    TestStaleSaveFiles staleSaveFiles;
    return QTest::qExec(&settingsFile, argc, argv) | QTest::qExec(&staleSaveFiles, argc, argv);
}
#include "tst_settingsfile.moc"
