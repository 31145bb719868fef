#include "app/QtPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibrary>
#include <QTest>

// The chime's player is a module of its own, loaded when a chime is due; the program must find it
// and it must never hold the program, with or without a sound device.
class TestSoundModule : public QObject {
    Q_OBJECT

private slots:
    void foundBesideTheProgram();
    void unplayableFilesReturnAtOnce_data();
    void unplayableFilesReturnAtOnce();
};

void TestSoundModule::foundBesideTheProgram() {
    QVERIFY2(QFileInfo::exists(QtPlatform::soundModulePath()), qPrintable(QtPlatform::soundModulePath()));
    QLibrary module(QtPlatform::soundModulePath());
    QVERIFY2(module.resolve("peltraPlaySoundFile"), qPrintable(module.errorString()));
}

void TestSoundModule::unplayableFilesReturnAtOnce_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("the chime") << QCoreApplication::applicationDirPath() + QStringLiteral("/MEDIA/DING.WAV");
    QTest::newRow("missing") << QStringLiteral("/nonexistent/DING.WAV");
    QTest::newRow("not a sound") << QFINDTESTDATA("tst_soundmodule.cpp");
}

void TestSoundModule::unplayableFilesReturnAtOnce() {
    QFETCH(QString, file);
    using PlaySoundFile = bool (*)(const QString&);
    QLibrary module(QtPlatform::soundModulePath());
    const auto play = reinterpret_cast<PlaySoundFile>(module.resolve("peltraPlaySoundFile"));
    QVERIFY(play);
    QElapsedTimer clock;
    clock.start();
    const bool played = play(file);
    // Only the chime itself can play, and only where a sound device is.
    if (!file.endsWith(QLatin1String("DING.WAV")) || file.startsWith(u"/nonexistent"))
        QVERIFY(!played);
    QVERIFY(clock.elapsed() < 6000);
}

QTEST_MAIN(TestSoundModule)
#include "tst_soundmodule.moc"
