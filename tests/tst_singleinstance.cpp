// One countdown per user: a later start is handed to the running one, or told at once why it cannot be.
#include "app/system/SingleInstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <future>

using Start = SingleInstance::Start;

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void laterStart_data() {
        QTest::addColumn<int>("folderNameLength"); // the kernel takes socket addresses of up to 107 bytes
        QTest::addColumn<QString>("firstName");    // the countdowns' names; empty: the default one
        QTest::addColumn<QString>("laterName");
        QTest::addColumn<Start>("later");
        QTest::addColumn<bool>("shown");
        QTest::newRow("running one listens: handed over") << 8 << ""
                                                          << "" << Start::HandedOver << true;
        QTest::newRow("running one has no address: told at once") << 120 << ""
                                                                  << "" << Start::Unreachable << false;
        QTest::newRow("same name: handed over") << 8 << "誕生日"
                                                << "誕生日" << Start::HandedOver << true;
        QTest::newRow("another name: starts beside it") << 8 << "誕生日"
                                                        << "卒業式" << Start::First << false;
        QTest::newRow("a name beside the default") << 8 << ""
                                                   << "誕生日" << Start::First << false;
        QTest::newRow("long name, short address")
            << 8 << QString(64, u'字') << QString(64, u'字') << Start::HandedOver << true;
    }
    void laterStart() {
        QFETCH(int, folderNameLength);
        QFETCH(QString, firstName);
        QFETCH(QString, laterName);
        QTemporaryDir parent;
        const QString folder = parent.filePath(QString(folderNameLength, u'f'));
        QVERIFY(QDir().mkpath(folder));
        SingleInstance first(folder, firstName);
        QSignalSpy shows(&first, &SingleInstance::showRequested);
        QCOMPARE(first.claim(), Start::First);
        QCOMPARE(first.isListening(), folderNameLength < 100);
        // The later start waits on its own thread while this one answers from its event loop. Its
        // timeout is long: only the answer, not a wait running out, may end it within the test's time.
        SingleInstance later(folder, laterName);
        auto answer = std::async(std::launch::async, [&later] { return later.claim(60000); });
        QTRY_VERIFY_WITH_TIMEOUT(answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready, 20000);
        QTEST(answer.get(), "later");
        QTEST(!shows.isEmpty(), "shown");
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
