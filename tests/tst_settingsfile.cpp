// The settings file on disk: its format against QSettings, damaged files, refused files, failures, batches.
#include "app/SettingsLoader.h"
#include "tests/support/TestStore.h"

#include <QSettings>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TestSettingsFile : public StoreTestCase {
    Q_OBJECT

    static SettingsStore& settingsStore() { return SettingsStore::instance(); }

private slots:
    // Texts written here read back the same here and in QSettings (an older build), and texts
    // QSettings wrote read back the same here.
    void formatAgainstQSettings_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("Japanese") << "高校の入学試験まであと・・・";
        QTest::newRow("newlines, tab, quotes") << "一\n二\r\n\t\"a\" \\ b\\\"\\\\ \"";
        QTest::newRow("separators, blanks around") << "  a;b,c=d, e \t ";
        QTest::newRow("non-BMP, at sign, mark, controls") << QString::fromUtf8("@ByteArray(𠮷 😀)\uFEFF\u0001a9");
    }
    void formatAgainstQSettings() {
        QFETCH(QString, text);
        const QMap<QString, QString> values{{"Config/OptMsg(0)", text}, {"Config/OptMsg(1)", ""}, {"Top", text}};
        store->presetFile(formatSettingsFile(values));
        QCOMPARE(parseSettingsFile(store->fileBytes()).values, values);
        QVERIFY(!parseSettingsFile(store->fileBytes()).damaged);
        QCOMPARE(QSettings(store->iniPath(), QSettings::IniFormat).value("Config/OptMsg(0)").toString(), text);
        QFile::remove(store->iniPath());
        {
            QSettings theirs(store->iniPath(), QSettings::IniFormat);
            for (auto it = values.cbegin(); it != values.cend(); ++it)
                theirs.setValue(it.key(), it.value());
        }
        QCOMPARE(store->contents(), values);
        QVERIFY(!parseSettingsFile(store->fileBytes()).damaged);
    }

    // Every key that can be read is kept, the file is kept as it was beside the store, the user is told
    // once, and saves after that are not reported as failed.
    void damagedFile_data() {
        QTest::addColumn<QByteArray>("damage"); // a line after the upper message
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("comment") << QByteArray("# 自分用のメモ\n");
        QTest::newRow("binary garbage") << QByteArray("\x00\x01\xff\xfe=\x80\x02garbage\n\x7f\x1b\n", 18);
        QTest::newRow("unterminated section") << QByteArray("[Fonts\n");
    }
    void damagedFile() {
        QFETCH(QByteArray, damage);
        const QByteArray before = "[Config]\nTheDate=2027/03/01\nOptMsg%280%29=上の言葉\n";
        const QByteArray damaged =
            (damage[0] == '\xEF' ? damage + before : before + damage) + "[Position]\nOptSize=0\n";
        store->presetFile(damaged);
        loadSettings(appSettings(), settingsStore(), *platform, [] { QFAIL("date asked for"); });
        QCOMPARE(appSettings().OptSize, "0");
        QCOMPARE(platform->messages.size(), 1);
        const QStringList copies = QFileInfo(store->iniPath()).dir().entryList({"PELTRA.ini.damaged-*"});
        QCOMPARE(copies.size(), 1);
        const QString copy = QFileInfo(store->iniPath()).dir().filePath(copies[0]);
        QVERIFY(platform->messages[0].prompt.contains(copy));
        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == damaged);
        QVERIFY(!parseSettingsFile(store->fileBytes()).damaged);
        QVERIFY(settingsStore().Save(Section::Config, "OptMsg(1)", "下の言葉") && platform->messages.size() == 1);
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
            return std::tuple(::lstat(target.constData(), &s), s.st_mode, s.st_uid, s.st_ino, s.st_size);
        };
        store->presetFile("[Config]\nTheDate=2027/03/01\n#\n"); // read, it would give a date and a copy
        if (::geteuid() != 0 && kind != u"fifo")                // only root gives a file away
            QSKIP("not root");
        if (kind == u"other")
            QVERIFY(::rename(path.constData(), target.constData()) == 0 &&
                    ::chown(target.constData(), 65534, 65534) == 0);
        QFile::remove(store->iniPath());
        QCOMPARE(kind == u"fifo" ? ::mkfifo(path.constData(), 0600) : ::symlink(target.constData(), path.constData()),
                 0);
        const auto before = targetState();
        settingsStore().reopen();
        QVERIFY(settingsStore().Get(Section::Config, "TheDate").isEmpty());
        QVERIFY(!settingsStore().Save(Section::Config, "OptDbl", "0"));
        QVERIFY(!settingsStore().Save(Section::Config, "OptBM", "2"));
        QCOMPARE(platform->messages.size(), 1);
        QVERIFY(platform->messages[0].prompt.endsWith(store->iniPath()));
        QCOMPARE(QFileInfo(store->iniPath()).isSymLink(), kind != u"fifo");
        QCOMPARE(targetState(), before);
        QCOMPARE(
            QFileInfo(store->iniPath()).dir().entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(),
            kind == u"fifo" ? 1 : 2);
        QVERIFY(QFile::remove(store->iniPath()) && settingsStore().Save(Section::Config, "OptHaik", "1"));
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(store->value(Section::Config, "OptDbl") + store->value(Section::Config, "OptHaik"), "01");
    }

    // Saves inside a batch are one write, at its end; reading never writes.
    void batchWritesOnceAtItsEnd() {
        store->preset(Section::Position, "OptSize", "2");
        const QByteArray before = store->fileBytes();
        SettingsStore::Batch batch(settingsStore());
        settingsStore().Save(Section::Position, "OptSize", "0");
        settingsStore().Save(Section::Position, "Label_Left(0)", "256");
        QCOMPARE(store->fileBytes(), before);
        QVERIFY(batch.commit());
        QCOMPARE(store->value(Section::Position, "OptSize") + store->value(Section::Position, "Label_Left(0)"), "0256");
    }
};

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
