// The settings file on disk: its format against QSettings, damaged files, failures that pass, batches.
#include "app/AppSettings.h"
#include "app/SettingsFile.h"
#include "app/SettingsLoader.h"
#include "app/SettingsStore.h"
#include "dialogs/SETTEI.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestSettingsFile : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;

    static SettingsStore& settingsStore() { return SettingsStore::instance(); }
    void load() {
        loadSettings(appSettings(), settingsStore(), *platform, [] { QFAIL("date asked for"); });
    }

private slots:
    void init() {
        platform = std::make_unique<ScriptedPlatform>();
        store = std::make_unique<TestStore>();
        appSettings() = AppSettings{};
    }
    void cleanup() {
        store.reset();
        platform.reset();
    }

    // Texts written here read back the same here and in QSettings (an older build), and texts
    // QSettings wrote read back the same here.
    void formatAgainstQSettings_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("qsettingsWritesIt"); // false: no UTF-8 form, QSettings would alter it
        QTest::newRow("Japanese, empty") << "高校の入学試験まであと・・・" << true;
        QTest::newRow("newlines and tab") << "一行目\n二行目\r\n\tと" << true;
        QTest::newRow("quotes, backslashes") << "\"a\" \\ b\\\"\\\\ \"" << true;
        QTest::newRow("separators") << "a;b,c=d, e" << true;
        QTest::newRow("blanks around") << "  前後に空白 \t " << true;
        QTest::newRow("non-BMP") << QString::fromUtf8("𠮷野家 😀") << true;
        QTest::newRow("at sign") << "@ByteArray(x)" << true;
        QTest::newRow("controls then hex digits") << QString::fromUtf16(u"\u0001a\u0000F\u007f9") << true;
        QTest::newRow("byte-order mark") << QString::fromUtf16(u"\uFEFFmark") << true;
        QTest::newRow("lone surrogate") << QString::fromUtf16(u"a\xD800"
                                                              u"b")
                                        << false;
    }
    void formatAgainstQSettings() {
        QFETCH(QString, text);
        QFETCH(bool, qsettingsWritesIt);
        const QMap<QString, QString> values{{"Config/OptMsg(0)", text}, {"Config/OptMsg(1)", ""}, {"Top", text}};
        const QByteArray written = formatSettingsFile(values);
        QCOMPARE(parseSettingsFile(written).values, values);
        QVERIFY(!parseSettingsFile(written).damaged);
        QTemporaryDir folder;
        QFile ours(folder.filePath("ours.ini"));
        QVERIFY(ours.open(QIODevice::WriteOnly) && ours.write(written) == written.size());
        ours.close();
        QCOMPARE(QSettings(ours.fileName(), QSettings::IniFormat).value("Config/OptMsg(0)").toString(), text);
        if (!qsettingsWritesIt)
            return;
        {
            QSettings theirs(folder.filePath("theirs.ini"), QSettings::IniFormat);
            for (auto it = values.cbegin(); it != values.cend(); ++it)
                theirs.setValue(it.key(), it.value());
        }
        QFile theirs(folder.filePath("theirs.ini"));
        QVERIFY(theirs.open(QIODevice::ReadOnly));
        const SettingsFileContents read = parseSettingsFile(theirs.readAll());
        QCOMPARE(read.values, values);
        QVERIFY(!read.damaged);
    }

    // Lines older builds and users typing into the file leave.
    void olderWritesRead_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("\\x escapes") << QByteArray("OptMsg%280%29=\\x5408\\x683c") << "合格";
        QTest::newRow("unquoted list") << QByteArray("OptMsg%280%29=あと,2 , 3") << "あと, 2, 3";
        QTest::newRow("quoted list") << QByteArray("OptMsg%280%29=\"a, b\", c") << "a, b, c";
        QTest::newRow("raw brackets") << QByteArray("OptMsg(0)=  x  ") << "x";
    }
    void olderWritesRead() {
        QFETCH(QByteArray, line);
        QFETCH(QString, text);
        const SettingsFileContents read = parseSettingsFile("[Config]\n" + line + '\n');
        QCOMPARE(read.values.value("Config/OptMsg(0)"), text);
        QVERIFY(!read.damaged);
    }

    // Every key that can be read is kept, the file is kept as it was beside the store, the user is told
    // once, and saves after that are not reported as failed.
    void damagedFile_data() {
        QTest::addColumn<QByteArray>("damage"); // a line after the upper message
        QTest::addColumn<bool>("atStart");      // put before the first line instead
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF") << true;
        QTest::newRow("comment") << QByteArray("# 自分用のメモ\n") << false;
        QTest::newRow("line without =") << QByteArray("OptColor(0)\n") << false;
        QTest::newRow("unterminated quote") << QByteArray("Memo=\"合格するぞ\n") << false;
        QTest::newRow("trailing backslash") << QByteArray("Memo=合格\\\n") << false;
        QTest::newRow("binary garbage") << QByteArray("\x00\x01\xff\xfe=\x80\x02garbage\n\x7f\x1b\n", 18) << false;
        QTest::newRow("invalid UTF-8") << QByteArray("Memo=\xe5\x90\n") << false;
        QTest::newRow("unterminated section") << QByteArray("[Fonts\n") << false;
    }
    void damagedFile() {
        QFETCH(QByteArray, damage);
        QFETCH(bool, atStart);
        const QByteArray before = "[Config]\nTheDate=2027/03/01\nOptMsg%280%29=上の言葉\n";
        const QByteArray after = "\n[Position]\nOptSize=0\n";
        const QByteArray damaged = atStart ? damage + before + after : before + damage + after;
        store->presetFile(damaged);
        QCOMPARE(store->fileBytes(), damaged); // reading writes nothing

        load();
        QCOMPARE(appSettings().OptSize, "0");
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages[0].style, MessageStyle::Information);
        const QDir folder = QFileInfo(store->iniPath()).dir();
        const QStringList copies = folder.entryList({"PELTRA.ini.damaged-*"});
        QCOMPARE(copies.size(), 1);
        QVERIFY(platform->messages[0].prompt.contains(folder.filePath(copies[0])));
        QFile copy(folder.filePath(copies[0]));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), damaged);

        QVERIFY(!parseSettingsFile(store->fileBytes()).damaged);
        QCOMPARE(store->value(Section::Config, "OptMsg(0)"), "上の言葉");
        QCOMPARE(store->value(Section::Position, "OptSize"), "0");
        QCOMPARE(store->value(Section::Config, "OptReturn"), "600"); // a default, written
        QVERIFY(settingsStore().Save(Section::Config, "OptMsg(1)", "下の言葉"));
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(store->value(Section::Config, "OptMsg(1)"), "下の言葉");
    }

    // A failed write is reported once; once the cause is gone, saves succeed silently and carry the
    // values that could not be written before.
    void failureThatPasses_data() {
        QTest::addColumn<QString>("blocker"); // relative to the config folder
        QTest::newRow("the program's folder is a file") << "PELTRA";
        QTest::newRow("a folder in place of the file") << "PELTRA/PELTRA.ini";
    }
    void failureThatPasses() {
        QFETCH(QString, blocker);
        const QString blockerPath = store->configFolder() + u'/' + blocker;
        QVERIFY(blocker.endsWith(".ini") ? QDir().mkpath(blockerPath) : QFile(blockerPath).open(QIODevice::WriteOnly));
        settingsStore().reopen();

        QVERIFY(!settingsStore().Save(Section::Config, "OptDbl", "0"));
        QVERIFY(!settingsStore().Save(Section::Config, "OptBM", "2"));
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages[0].style, MessageStyle::Exclamation);
        QVERIFY(platform->messages[0].prompt.endsWith(store->iniPath()));

        QVERIFY(QFileInfo(blockerPath).isDir() ? QDir(blockerPath).removeRecursively() : QFile::remove(blockerPath));
        QVERIFY(settingsStore().Save(Section::Config, "OptHaik", "1"));
        QCOMPARE(platform->messages.size(), 1);
        const QMap<QString, QString> expected{{"Config/OptDbl", "0"}, {"Config/OptBM", "2"}, {"Config/OptHaik", "1"}};
        QCOMPARE(store->contents(), expected);
    }

    // Saves inside a batch are one write, at its end; reading never writes.
    void batchWritesOnceAtItsEnd() {
        store->preset(Section::Position, "OptSize", "2");
        const QByteArray before = store->fileBytes();
        QCOMPARE(SettingsStore().Get(Section::Position, "OptSize"), "2");
        {
            SettingsStore::Batch batch(settingsStore());
            settingsStore().Save(Section::Position, "OptSize", "0");
            settingsStore().Save(Section::Position, "Label_Left(0)", "256");
            QCOMPARE(store->fileBytes(), before);
        }
        QCOMPARE(store->value(Section::Position, "OptSize"), "0");
        QCOMPARE(store->value(Section::Position, "Label_Left(0)"), "256");
    }

    // OK in the settings window keeps a long message the user did not touch, whole.
    void longMessageKeptWhole() {
        const QString longMessage = QString(40000, u'長') + u'。';
        store->preset(Section::Config, "TheDate", "2027/03/01");
        store->preset(Section::Config, "OptMsg(0)", longMessage);
        load();
        SETTEI window;
        QTest::mouseClick(window.Command1[0], Qt::LeftButton);
        QCOMPARE(store->value(Section::Config, "OptMsg(0)"), longMessage);
    }
};

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
