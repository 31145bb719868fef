// How a help request reaches the viewer: the viewer's command line, the one-line message that a
// second viewer hands to the running one, and the per-user address where the running one listens.

#include "helpviewer/HelpRequest.h"
#include "helpviewer/HelpServer.h"

#include <QLocalSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <future>

namespace {

using Kind = HelpRequest::Kind;

const QString helpFile = QStringLiteral("/usr/share/peltra/PELTRA.HLP");

HelpRequest request(const QString& file, Kind kind, int context = 0) {
    HelpRequest result;
    result.helpFile = file;
    result.kind = kind;
    result.context = context;
    return result;
}

// Waits for a blocking call made on another thread while this one goes on serving events.
template <typename T> bool finished(std::future<T>& future) {
    return future.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready;
}

} // namespace

Q_DECLARE_METATYPE(HelpRequest::Kind)

class TestHelpServer : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void initTestCase() { QVERIFY(folder.isValid()); }

    void arguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("file");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("context");
        const QString viewer = QStringLiteral("peltra-help");
        const QString file = QStringLiteral("/opt/peltra/PELTRA.HLP");
        const QString besideViewer = QStringLiteral("/usr/share/peltra/PELTRA.HLP");
        QTest::newRow("contents") << QStringList{viewer, "--file", file, "--contents"} << true << file << Kind::Contents
                                  << 0;
        QTest::newRow("keyword index") << QStringList{viewer, "--file", file, "--index"} << true << file << Kind::Index
                                       << 0;
        QTest::newRow("context 17") << QStringList{viewer, "--file", file, "--context", "17"} << true << file
                                    << Kind::Context << 17;
        QTest::newRow("context 11, options reversed")
            << QStringList{viewer, "--context", "11", "--file", file} << true << file << Kind::Context << 11;
        QTest::newRow("file only: contents")
            << QStringList{viewer, "--file", file} << true << file << Kind::Contents << 0;
        QTest::newRow("no file: the default")
            << QStringList{viewer, "--index"} << true << besideViewer << Kind::Index << 0;
        QTest::newRow("relative file made absolute")
            << QStringList{viewer, "--file", "help/PELTRA.HLP"} << true
            << QDir::current().absoluteFilePath("help/PELTRA.HLP") << Kind::Contents << 0;
        QTest::newRow("dots cleaned") << QStringList{viewer, "--file", "/opt/x/../peltra/PELTRA.HLP"} << true << file
                                      << Kind::Contents << 0;
        QTest::newRow("socket option taken")
            << QStringList{viewer, "--socket", "/tmp/s", "--file", file, "--index"} << true << file << Kind::Index << 0;
        QTest::newRow("context not a number")
            << QStringList{viewer, "--file", file, "--context", "abc"} << false << QString() << Kind::Contents << 0;
        QTest::newRow("context without number")
            << QStringList{viewer, "--file", file, "--context"} << false << QString() << Kind::Contents << 0;
        QTest::newRow("two commands") << QStringList{viewer, "--file", file, "--contents", "--index"} << false
                                      << QString() << Kind::Contents << 0;
        QTest::newRow("unknown option") << QStringList{viewer, "--file", file, "--open", "x"} << false << QString()
                                        << Kind::Contents << 0;
        QTest::newRow("stray argument") << QStringList{viewer, "--file", file, "17"} << false << QString()
                                        << Kind::Contents << 0;
    }
    void arguments() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, valid);
        QFETCH(QString, file);
        QFETCH(Kind, kind);
        QFETCH(int, context);
        QString error;
        const auto parsed =
            HelpRequest::fromArguments(arguments, QStringLiteral("/usr/share/peltra/PELTRA.HLP"), &error);
        QCOMPARE(parsed.has_value(), valid);
        if (!valid) {
            QVERIFY(!error.isEmpty());
            return;
        }
        QCOMPARE(parsed->helpFile, file);
        QCOMPARE(parsed->kind, kind);
        QCOMPARE(parsed->context, context);
        // And back: the same request again.
        const auto again = HelpRequest::fromArguments(QStringList{"peltra-help"} + parsed->toArguments(), QString());
        QVERIFY(again);
        QVERIFY(*again == *parsed);
    }

    void socketOption() {
        QString socket;
        HelpRequest::fromArguments({"peltra-help", "--socket", "/run/user/1000/x", "--index"}, helpFile, nullptr,
                                   &socket);
        QCOMPARE(socket, QStringLiteral("/run/user/1000/x"));
        HelpRequest::fromArguments({"peltra-help", "--index"}, helpFile, nullptr, &socket);
        QVERIFY(socket.isEmpty());
    }

    void messages_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("context");
        QTest::newRow("contents") << request(helpFile, Kind::Contents).toMessage() << true << Kind::Contents << 0;
        QTest::newRow("index") << request(helpFile, Kind::Index).toMessage() << true << Kind::Index << 0;
        QTest::newRow("context 13") << request(helpFile, Kind::Context, 13).toMessage() << true << Kind::Context << 13;
        QTest::newRow("empty") << QByteArray() << false << Kind::Contents << 0;
        QTest::newRow("not JSON") << QByteArray("show me the help\n") << false << Kind::Contents << 0;
        QTest::newRow("array") << QByteArray("[1,2]\n") << false << Kind::Contents << 0;
        QTest::newRow("no file") << QByteArray(R"({"show":"contents"})") << false << Kind::Contents << 0;
        QTest::newRow("relative file") << QByteArray(R"({"file":"PELTRA.HLP","show":"contents"})") << false
                                       << Kind::Contents << 0;
        QTest::newRow("unknown command") << QByteArray(R"({"file":"/x/PELTRA.HLP","show":"quit"})") << false
                                         << Kind::Contents << 0;
        QTest::newRow("context missing") << QByteArray(R"({"file":"/x/PELTRA.HLP","show":"context"})") << false
                                         << Kind::Contents << 0;
        QTest::newRow("context not whole")
            << QByteArray(R"({"file":"/x/PELTRA.HLP","show":"context","context":1.5})") << false << Kind::Contents << 0;
        QTest::newRow("context as text") << QByteArray(R"({"file":"/x/PELTRA.HLP","show":"context","context":"17"})")
                                         << false << Kind::Contents << 0;
    }
    void messages() {
        QFETCH(QByteArray, message);
        QFETCH(bool, valid);
        QFETCH(Kind, kind);
        QFETCH(int, context);
        const auto parsed = HelpRequest::fromMessage(message);
        QCOMPARE(parsed.has_value(), valid);
        if (valid) {
            QVERIFY(message.endsWith('\n') && message.count('\n') == 1); // one line
            QCOMPARE(parsed->helpFile, helpFile);
            QCOMPARE(parsed->kind, kind);
            QCOMPARE(parsed->context, context);
        }
    }

    void serverTakesRequests() {
        const QString name = folder.filePath(QStringLiteral("server-a"));
        HelpServer server(name);
        QVERIFY(server.listen());
        QList<HelpRequest> received;
        connect(&server, &HelpServer::requestReceived, this, [&](const HelpRequest& r) { received << r; });
        for (const HelpRequest& sent : {request(helpFile, Kind::Context, 17), request(helpFile, Kind::Index)}) {
            auto handedOver = std::async(std::launch::async, [&] { return HelpServer::sendToRunning(name, sent); });
            QTRY_VERIFY(finished(handedOver));
            QVERIFY(handedOver.get());
        }
        QCOMPARE(received.size(), 2);
        QVERIFY(received[0] == request(helpFile, Kind::Context, 17));
        QVERIFY(received[1] == request(helpFile, Kind::Index));
    }

    void serverDropsBadMessages_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("garbage") << QByteArray("garbage\n");
        QTest::newRow("relative file") << QByteArray(R"({"file":"x","show":"index"})"
                                                     "\n");
        QTest::newRow("too long") << QByteArray(HelpServer::maximumMessageSize + 100, 'x');
    }
    void serverDropsBadMessages() {
        QFETCH(QByteArray, message);
        const QString name = folder.filePath(QStringLiteral("server-b"));
        HelpServer server(name);
        QVERIFY(server.listen());
        int received = 0;
        connect(&server, &HelpServer::requestReceived, this, [&] { ++received; });
        auto answer = std::async(std::launch::async, [&] {
            QLocalSocket socket;
            socket.connectToServer(name);
            if (!socket.waitForConnected(3000))
                return QByteArray("not connected");
            socket.write(message);
            socket.waitForBytesWritten(3000);
            QByteArray reply;
            while (socket.waitForReadyRead(1500))
                reply += socket.readAll();
            return reply;
        });
        QTRY_VERIFY_WITH_TIMEOUT(finished(answer), 10000);
        QCOMPARE(answer.get(), QByteArray());
        QCOMPARE(received, 0);
    }

    void noViewerRunning() {
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!HelpServer::sendToRunning(folder.filePath(QStringLiteral("nobody")), request(helpFile, Kind::Index)));
        QVERIFY(timer.elapsed() < 2000);
    }

    void addressTakenOnce() {
        const QString name = folder.filePath(QStringLiteral("server-c"));
        HelpServer first(name);
        QVERIFY(first.listen());
        HelpServer second(name);
        QVERIFY(!second.listen()); // a live viewer keeps its address
    }

    void addressLeftBehindIsTakenOver() {
        // What a killed viewer leaves: the address exists, nobody answers.
        const QString name = folder.filePath(QStringLiteral("server-d"));
        QFile leftOver(name);
        QVERIFY(leftOver.open(QIODevice::WriteOnly));
        leftOver.close();
        HelpServer server(name);
        QVERIFY(server.listen());
        auto handedOver = std::async(std::launch::async,
                                     [&] { return HelpServer::sendToRunning(name, request(helpFile, Kind::Index)); });
        QTRY_VERIFY(finished(handedOver));
        QVERIFY(handedOver.get());
    }

    void defaultAddressIsPerUser() {
        const QString name = HelpServer::defaultName();
        QVERIFY(!name.isEmpty());
#ifdef Q_OS_UNIX
        QCOMPARE(QFileInfo(name).absolutePath(), QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
#endif
    }
};

QTEST_MAIN(TestHelpServer)
#include "tst_helpserver.moc"
