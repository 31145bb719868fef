#include "app/AppSettings.h"
#include "app/ReturnSound.h"

#include "tests/support/ScriptedPlatform.h"

#include <QTest>

class TestReturnSound : public QObject {
    Q_OBJECT

private slots:
    void playReturnSound_data();
    void playReturnSound();
};

void TestReturnSound::playReturnSound_data() {
    QTest::addColumn<QString>("optBM");
    QTest::addColumn<QString>("windir");       // empty: the variable is not set
    QTest::addColumn<QString>("existingName"); // what the existence test gives; empty: no file
    QTest::addColumn<QString>("played");       // empty: the not-found message instead

    // clang-format off
    QTest::newRow("file present") << "1" << "/win" << "DING.WAV" << "/win/MEDIA/DING.WAV";
    QTest::newRow("found under another case") << "1" << "/win" << "ding.wav" << "/win/MEDIA/ding.wav";
    QTest::newRow("file absent") << "1" << "/win" << "" << "";
    QTest::newRow("switch 3, file present") << "3" << "/win" << "DING.WAV" << "";
    QTest::newRow("switch 0, file present") << "0" << "/win" << "DING.WAV" << "";
    QTest::newRow("switch empty, file present") << "" << "/win" << "DING.WAV" << "";
    QTest::newRow("no windir: data folder") << "1" << "" << "DING.WAV" << "/opt/peltra/MEDIA/DING.WAV";
    QTest::newRow("no windir, file absent") << "1" << "" << "" << "";
    // clang-format on
}

void TestReturnSound::playReturnSound() {
    QFETCH(QString, optBM);
    QFETCH(QString, windir);
    QFETCH(QString, existingName);
    QFETCH(QString, played);

    ScriptedPlatform platform;
    platform.dataFolder = QStringLiteral("/opt/peltra");
    if (!windir.isEmpty())
        platform.environment[QStringLiteral("windir")] = windir;
    const QString root = windir.isEmpty() ? platform.dataFolder : windir;
    if (!existingName.isEmpty())
        platform.existingFiles[root + QStringLiteral("/MEDIA/DING.WAV")] = existingName;
    AppSettings settings;
    settings.OptBM = optBM;

    PlayReturnSound(settings, platform);

    if (played.isEmpty()) {
        QVERIFY(platform.soundsPlayed.isEmpty());
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].prompt, QStringLiteral("設定されている「音声ﾌｧｲﾙ」が見つかりません。"));
        QCOMPARE(platform.messages[0].style, 48);
        QCOMPARE(platform.messages[0].title, QStringLiteral("音声ﾌｧｲﾙ 存在確認"));
    } else {
        QCOMPARE(platform.soundsPlayed, QStringList{played});
        QVERIFY(platform.messages.isEmpty());
    }
    QCOMPARE(platform.eventsProcessed, 1);
}

QTEST_GUILESS_MAIN(TestReturnSound)
#include "tst_returnsound.moc"
