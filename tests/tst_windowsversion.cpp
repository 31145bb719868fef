#include "app/Platform.h"
#include "app/WindowsVersion.h"

#include "tests/support/ScriptedPlatform.h"

#include <QTest>

class TestWindowsVersion : public QObject {
    Q_OBJECT

private slots:
    void versionName_data();
    void versionName();
};

void TestWindowsVersion::versionName_data() {
    QTest::addColumn<uint>("platformId");
    QTest::addColumn<uint>("major");
    QTest::addColumn<uint>("minor");
    QTest::addColumn<QString>("name");

    QTest::newRow("95") << 1u << 4u << 0u << "Windows 95";
    QTest::newRow("98") << 1u << 4u << 10u << "Windows 98";
    QTest::newRow("Me") << 1u << 4u << 90u << "Windows Me";
    QTest::newRow("NT 4.0") << 2u << 4u << 0u << "Windows NT";
    QTest::newRow("NT 4.1") << 2u << 4u << 1u << "Windows NT";
    QTest::newRow("5.0") << 2u << 5u << 0u << "Windows 2000";
    QTest::newRow("5.1") << 2u << 5u << 1u << "Windows XP";
    QTest::newRow("5.2") << 2u << 5u << 2u << "Windows XP";
    QTest::newRow("6.0") << 2u << 6u << 0u << "Windows 2000";
    QTest::newRow("6.1") << 2u << 6u << 1u << "Windows XP";
    QTest::newRow("10.0") << 2u << 10u << 0u << "Windows 2000";
    QTest::newRow("platform 0 (failed query)") << 0u << 0u << 0u << "";
    QTest::newRow("platform 0, 5.1") << 0u << 5u << 1u << "";
    QTest::newRow("platform 3") << 3u << 5u << 1u << "";
}

void TestWindowsVersion::versionName() {
    QFETCH(uint, platformId);
    QFETCH(uint, major);
    QFETCH(uint, minor);
    QFETCH(QString, name);

    VersionRecord record;
    record.platformId = platformId;
    record.majorVersion = major;
    record.minorVersion = minor;
    QCOMPARE(windowsVersionName(record), name);

    ScriptedPlatform platform;
    platform.version = record;
    QCOMPARE(GetWindowsVersionName(platform), name);
}

QTEST_GUILESS_MAIN(TestWindowsVersion)
#include "tst_windowsversion.moc"
