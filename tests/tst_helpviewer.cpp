// The help viewer peltra-help: the window on the built help file, bad and hostile help files, the
// browser's refusal of anything outside the help file, how a request reaches the viewer, whom it
// trusts, and the hand-over from a second viewer to the running one, with the programs as built.

#include "app/PrivateRuntimeFolder.h"
#include "helpviewer/HelpBrowser.h"
#include "helpviewer/HelpDocument.h"
#include "helpviewer/HelpPane.h"
#include "helpviewer/HelpRequest.h"
#include "helpviewer/HelpServer.h"
#include "helpviewer/HelpViewerWindow.h"

#include <QElapsedTimer>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Kind = HelpRequest::Kind;

const QString helpFile = QStringLiteral(PELTRA_HELP_FILE);
const QString viewerProgram = QStringLiteral(PELTRA_HELP_VIEWER);

HelpRequest request(const QString& file, Kind kind, int context = 0) {
    HelpRequest result;
    result.helpFile = file;
    result.kind = kind;
    result.context = context;
    return result;
}

QString fileName(const QUrl& url) {
    return url.path().section(u'/', -1);
}

bool viewerListening(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    return socket.waitForConnected(200);
}

// A blocking call made on another thread, while this one goes on serving events.
bool sentFromAnotherThread(const QString& name, const HelpRequest& sent) {
    auto handedOver = std::async(std::launch::async, [&] { return HelpServer::sendToRunning(name, sent); });
    const bool answered =
        QTest::qWaitFor([&] { return handedOver.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; });
    return answered && handedOver.get();
}

void waitForContents(HelpPane* pane) {
    QTRY_VERIFY_WITH_TIMEOUT(!pane->document->engine()->contentModel()->isCreatingContents() &&
                                 pane->contents->model()->rowCount() > 0,
                             10000);
}

enum class BadFile { Missing, Empty, Corrupt, Folder };
enum class Folder { Private, OpenToOthers, Link, PlainFile, OtherOwner };

// Makes something of the kind at the path; false when the test cannot (another owner needs root).
bool makeFolder(Folder kind, const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    switch (kind) {
    case Folder::Private:
        return ::mkdir(name, 0700) == 0;
    case Folder::OpenToOthers:
        return ::mkdir(name, 0700) == 0 && ::chmod(name, 0755) == 0;
    case Folder::Link:
        return ::mkdir(name + "-target", 0700) == 0 && ::symlink(name + "-target", name) == 0;
    case Folder::PlainFile:
        return QFile(path).open(QIODevice::WriteOnly) && ::chmod(name, 0700) == 0;
    case Folder::OtherOwner:
        return ::mkdir(name, 0700) == 0 && ::chown(name, 65534, 65534) == 0;
    }
    return false;
}

enum class Peer { SameUser, OtherUser };
enum class PeerRole { Answers, Asks };

// A process of the given user at the other end of the address: it answers "ok" to whatever comes,
// or sends a request. Only system calls after the fork.
pid_t startPeer(Peer peer, PeerRole role, const QByteArray& address, const QByteArray& request) {
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    if (peer == Peer::OtherUser && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(3);
    sockaddr_un place{};
    place.sun_family = AF_UNIX;
    std::memcpy(place.sun_path, address.constData(), std::min<size_t>(address.size(), sizeof place.sun_path - 1));
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    char buffer[256];
    if (role == PeerRole::Answers) {
        if (::bind(descriptor, reinterpret_cast<sockaddr*>(&place), sizeof place) != 0 || ::listen(descriptor, 1) != 0)
            ::_exit(4);
        const int connection = ::accept(descriptor, nullptr, nullptr);
        [[maybe_unused]] const auto sent = ::write(connection, "ok\n", 3);
        while (::read(connection, buffer, sizeof buffer) > 0) {
        }
    } else {
        if (::connect(descriptor, reinterpret_cast<sockaddr*>(&place), sizeof place) != 0)
            ::_exit(5);
        [[maybe_unused]] const auto sent = ::write(descriptor, request.constData(), request.size());
        while (::read(descriptor, buffer, sizeof buffer) > 0) {
        }
    }
    ::_exit(0);
}

int finishedPeer(pid_t child) {
    int status = 0;
    if (!QTest::qWaitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 10000)) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A help file of the index page and one more page, compiled as the build compiles the help.
QString compiledHelp(const QString& folder, const QByteArray& page) {
    QFile project(folder + QStringLiteral("/hostile.qhp"));
    QFile index(folder + QStringLiteral("/index.html"));
    QFile other(folder + QStringLiteral("/page.html"));
    if (!project.open(QIODevice::WriteOnly) || !index.open(QIODevice::WriteOnly) || !other.open(QIODevice::WriteOnly))
        return {};
    project.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<QtHelpProject version="1.0"><namespace>org.example.hostile</namespace><virtualFolder>doc</virtualFolder>
<filterSection><toc><section title="Index" ref="index.html"/></toc>
<files><file>index.html</file><file>page.html</file></files></filterSection></QtHelpProject>)");
    index.write("<html><body><p>Index</p></body></html>");
    other.write(page);
    project.close();
    index.close();
    other.close();
    const QString compiled = folder + QStringLiteral("/hostile.qch");
    QProcess generator;
    generator.start(QStringLiteral(PELTRA_QHELPGENERATOR), {project.fileName(), QStringLiteral("-o"), compiled});
    return generator.waitForFinished(60000) && generator.exitCode() == 0 ? compiled : QString();
}

QByteArray nestedTables(int depth, bool closed) {
    QByteArray html = "<html><body>" + QByteArray("<table><tr><td>").repeated(depth) + "deep";
    if (closed)
        html += QByteArray("</td></tr></table>").repeated(depth);
    return html + "</body></html>";
}

QStringList collections(const QString& cache) {
    return QDir(cache + QStringLiteral("/peltra-help")).entryList({QStringLiteral("collection-*")}, QDir::Dirs);
}

} // namespace

Q_DECLARE_METATYPE(HelpRequest::Kind)
Q_DECLARE_METATYPE(BadFile)
Q_DECLARE_METATYPE(Folder)
Q_DECLARE_METATYPE(Peer)
Q_DECLARE_METATYPE(PeerRole)

class TestHelpViewer : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        // The help's collections go to the cache: this test's own.
        qputenv("XDG_CACHE_HOME", QFile::encodeName(folder.filePath(QStringLiteral("cache"))));
        // The window's size and place: this test's own, for the viewers it starts as well.
        const QString config = folder.filePath(QStringLiteral("config"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
        QCOMPARE(HelpViewerWindow::placementFile(), config + QStringLiteral("/PELTRA/peltra-help.ini"));
        QVERIFY2(QFileInfo(helpFile).isFile(), qPrintable(helpFile));
    }

    void requests_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("error");
        const int contents = HelpPane::contentsTab;
        QTest::newRow("contents") << Kind::Contents << 0 << "index.html" << contents << QString();
        QTest::newRow("keyword index") << Kind::Index << 0 << "index.html" << int(HelpPane::indexTab) << QString();
        QTest::newRow("context 11") << Kind::Context << 11 << "settings-environment.html" << contents << QString();
        QTest::newRow("context 12") << Kind::Context << 12 << "settings-initial.html" << contents << QString();
        QTest::newRow("context 13") << Kind::Context << 13 << "settings-messages.html" << contents << QString();
        QTest::newRow("context 17") << Kind::Context << 17 << "event-date.html" << contents << QString();
        QTest::newRow("unknown context") << Kind::Context << 99 << "index.html" << contents
                                         << "トピック番号 99 はこのヘルプファイルにありません。";
    }
    void requests() {
        QFETCH(Kind, kind);
        QFETCH(int, context);
        QFETCH(QString, page);
        QFETCH(int, tab);
        QFETCH(QString, error);
        HelpViewerWindow window;
        window.handle(request(helpFile, kind, context));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("ペルトラ ヘルプ"));
        HelpPane* pane = window.pane();
        QCOMPARE(pane->errorLine->isVisible(), !error.isEmpty());
        QCOMPARE(pane->errorLine->isVisible() ? pane->errorLine->text() : QString(), error);
        QCOMPARE(pane->tabs->currentIndex(), tab);
        QCOMPARE(fileName(pane->browser->source()), page);
        // The page's style sheet comes from the help file too: the heading is coloured.
        QVERIFY(pane->browser->toHtml().contains(QLatin1String("color:#000080")));
        waitForContents(pane);
        QCOMPARE(pane->contents->currentIndex().data().toString(), pane->browser->documentTitle());
    }

    void placedWithin_data() {
        QTest::addColumn<QRect>("wanted");
        QTest::addColumn<QRect>("placed");
        // On an area of 1920 x 1040 below a 40-pixel panel.
        QTest::newRow("inside") << QRect(100, 200, 780, 560) << QRect(100, 200, 780, 560);
        QTest::newRow("over the right and lower edges") << QRect(1500, 900, 780, 560) << QRect(1140, 520, 780, 560);
        QTest::newRow("under the panel") << QRect(100, 0, 780, 560) << QRect(100, 40, 780, 560);
        QTest::newRow("on a screen since removed") << QRect(-2000, 300, 780, 560) << QRect(0, 300, 780, 560);
        QTest::newRow("taller than the screen") << QRect(100, 100, 1560, 1120) << QRect(100, 40, 1560, 1040);
    }
    void placedWithin() {
        QFETCH(QRect, wanted);
        QFETCH(QRect, placed);
        QCOMPARE(HelpViewerWindow::placedWithin(wanted, QRect(0, 40, 1920, 1040)), placed);
    }

    void placementIsKept() {
        QFile::remove(HelpViewerWindow::placementFile());
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QRect first;
        {
            HelpViewerWindow window;
            window.handle(request(helpFile, Kind::Contents));
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            // The first opening: centred, within the screen.
            QVERIFY(available.contains(window.frameGeometry()));
            QVERIFY((window.geometry().center() - available.center()).manhattanLength() <= 2);
            window.setGeometry(available.left() + 30, available.top() + 20, 500, 300);
            first = window.geometry();
            window.close();
        }
        HelpViewerWindow window;
        QCOMPARE(window.geometry(), first);
    }

    void keywordSearch() {
        HelpViewerWindow window;
        window.handle(request(helpFile, Kind::Index));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        HelpPane* pane = window.pane();
        QCOMPARE(QApplication::focusWidget(), pane->keyword);
        // Typed at once, possibly before the index is ready; Japanese comes through the input method.
        QInputMethodEvent typed;
        typed.setCommitString(QStringLiteral("復帰音"));
        QCoreApplication::sendEvent(pane->keyword, &typed);
        QAbstractItemModel* model = pane->index->model();
        QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(), 2, 10000);
        for (int row = 0; row < model->rowCount(); ++row)
            QVERIFY(model->index(row, 0).data().toString().contains(QStringLiteral("復帰音")));
        QCOMPARE(pane->index->currentIndex().data().toString(), QStringLiteral("復帰音"));
        QTest::keyClick(pane->keyword, Qt::Key_Return);
        QCOMPARE(fileName(pane->browser->source()), QStringLiteral("minimize-return.html"));
        pane->keyword->clear();
        QTRY_VERIFY(model->rowCount() > 40); // the whole index again
    }

    void contentsNavigation_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("page");
        QTest::newRow("a top entry") << "ペルトラの終了"
                                     << "exiting.html";
        QTest::newRow("a nested entry") << "最小化と自動復帰"
                                        << "minimize-return.html";
    }
    void contentsNavigation() {
        QFETCH(QString, entry);
        QFETCH(QString, page);
        HelpViewerWindow window;
        window.handle(request(helpFile, Kind::Contents));
        HelpPane* pane = window.pane();
        waitForContents(pane);
        QAbstractItemModel* model = pane->contents->model();
        const QModelIndexList found =
            model->match(model->index(0, 0), Qt::DisplayRole, entry, 1, Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(found.size(), 1);
        pane->contents->setCurrentIndex(found.first());
        QTest::keyClick(pane->contents, Qt::Key_Return);
        QCOMPARE(fileName(pane->browser->source()), page);
        // A link inside the page leads on within the help.
        pane->browser->setSource(QUrl(QStringLiteral("about.html")));
        QCOMPARE(fileName(pane->browser->source()), QStringLiteral("about.html"));
    }

    void laterRequestsUseTheSameWindow() {
        HelpViewerWindow window;
        window.handle(request(helpFile, Kind::Context, 99));
        QPointer<HelpPane> first = window.pane();
        QVERIFY(first->errorLine->isVisible());
        window.handle(request(helpFile, Kind::Context, 12));
        QCOMPARE(window.pane(), first.data());
        QVERIFY(!first->errorLine->isVisible()); // a good request clears the line
        QCOMPARE(fileName(first->browser->source()), QStringLiteral("settings-initial.html"));
        // Another help file replaces what is shown.
        const QString copy = folder.filePath(QStringLiteral("copy.HLP"));
        QVERIFY(QFile::copy(helpFile, copy));
        window.handle(request(copy, Kind::Context, 13));
        QCOMPARE(window.pane()->helpFile(), copy);
        QCOMPARE(fileName(window.pane()->browser->source()), QStringLiteral("settings-messages.html"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
    }

    void badHelpFile_data() {
        QTest::addColumn<BadFile>("kind");
        QTest::addColumn<QString>("says");
        const QString unreadable = QStringLiteral("ヘルプファイル「%1」を読み込めません。");
        QTest::newRow("missing") << BadFile::Missing << QStringLiteral("ヘルプファイル「%1」が見つかりません。");
        QTest::newRow("empty") << BadFile::Empty << unreadable;
        QTest::newRow("corrupt") << BadFile::Corrupt << unreadable;
        QTest::newRow("a folder") << BadFile::Folder << unreadable;
    }
    void badHelpFile() {
        QFETCH(BadFile, kind);
        QFETCH(QString, says);
        const QString path = folder.filePath(QStringLiteral("bad-%1/PELTRA.HLP").arg(int(kind)));
        QVERIFY(QDir().mkpath(kind == BadFile::Folder ? path : QFileInfo(path).absolutePath()));
        QFile file(path);
        if (kind == BadFile::Empty || kind == BadFile::Corrupt) {
            QVERIFY(file.open(QIODevice::WriteOnly));
            for (int i = 0; kind == BadFile::Corrupt && i < 8192; ++i)
                file.putChar(char((i * 7919 + 13) % 251));
            file.close();
        }
        const QStringList besideBefore = QDir(QFileInfo(path).absolutePath()).entryList(QDir::AllEntries);

        HelpViewerWindow window;
        for (Kind asked : {Kind::Contents, Kind::Index, Kind::Context}) {
            window.handle(request(path, asked, 17));
            QVERIFY(!window.pane()->hasFile());
            QVERIFY(window.pane()->errorLine->isVisible());
            QCOMPARE(window.pane()->errorLine->text(), says.arg(path));
            QVERIFY(window.pane()->browser->toPlainText().isEmpty());
        }
        QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::AllEntries), besideBefore);

        // Once a good file is put in its place, it shows.
        QVERIFY(kind == BadFile::Folder ? QDir(path).removeRecursively() : !QFile::exists(path) || file.remove());
        QVERIFY(QFile::copy(helpFile, path));
        window.handle(request(path, Kind::Context, 11));
        QVERIFY(!window.pane()->errorLine->isVisible());
        QCOMPARE(fileName(window.pane()->browser->source()), QStringLiteral("settings-environment.html"));
    }

    void nothingFromOutsideTheHelpFile_data() {
        QTest::addColumn<QUrl>("address");
        QTest::newRow("web page") << QUrl(QStringLiteral("https://peltra.example.org/"));
        QTest::newRow("web picture") << QUrl(QStringLiteral("http://peltra.example.org/logo.png"));
        QTest::newRow("local file") << QUrl::fromLocalFile(helpFile);
    }
    void nothingFromOutsideTheHelpFile() {
        QFETCH(QUrl, address);
        HelpViewerWindow window;
        window.handle(request(helpFile, Kind::Context, 17));
        HelpBrowser* browser = window.pane()->browser;
        const QUrl shown = browser->source();
        for (int type : {QTextDocument::HtmlResource, QTextDocument::ImageResource, QTextDocument::StyleSheetResource})
            QVERIFY(browser->loadResource(type, address).isNull());
        browser->setSource(address);
        QCOMPARE(browser->source(), shown);
        // Pages of the help file itself do load.
        QVERIFY(!browser->loadResource(QTextDocument::HtmlResource, QUrl(QStringLiteral("menu.html"))).isNull());
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file"); // empty: refused
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("socket");
        const QString file = QStringLiteral("/opt/peltra/PELTRA.HLP");
        QTest::newRow("context") << QStringList{"--context", "11", "--file", file} << file << Kind::Context << 11
                                 << QString();
        QTest::newRow("index, at an address")
            << QStringList{"--socket", "/tmp/s", "--file", file, "--index"} << file << Kind::Index << 0 << "/tmp/s";
        QTest::newRow("no file: the default")
            << QStringList{} << "/usr/share/peltra/PELTRA.HLP" << Kind::Contents << 0 << QString();
        QTest::newRow("relative file made absolute")
            << QStringList{"--file", "help/../PELTRA.HLP"} << QDir::current().absoluteFilePath("PELTRA.HLP")
            << Kind::Contents << 0 << QString();
        QTest::newRow("context not a number")
            << QStringList{"--context", "abc"} << QString() << Kind::Contents << 0 << QString();
        QTest::newRow("two commands") << QStringList{"--contents", "--index"} << QString() << Kind::Contents << 0
                                      << QString();
        QTest::newRow("stray argument") << QStringList{"17"} << QString() << Kind::Contents << 0 << QString();
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QFETCH(Kind, kind);
        QFETCH(int, context);
        QFETCH(QString, socket);
        QString error;
        QString socketName;
        const auto parsed =
            HelpRequest::fromArguments(QStringList{"peltra-help"} + arguments,
                                       QStringLiteral("/usr/share/peltra/PELTRA.HLP"), &error, &socketName);
        QCOMPARE(parsed.has_value(), !file.isEmpty());
        QCOMPARE(error.isEmpty(), parsed.has_value());
        if (!parsed)
            return;
        QVERIFY(*parsed == request(file, kind, context));
        QCOMPARE(socketName, socket);
        QVERIFY(HelpRequest::fromArguments(QStringList{"peltra-help"} + parsed->toArguments(), {}) == parsed);
        QVERIFY(HelpRequest::fromMessage(parsed->toMessage()) == parsed);
    }

    void badMessages_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("not JSON") << QByteArray("show me the help\n");
        QTest::newRow("relative file") << QByteArray(R"({"file":"PELTRA.HLP","show":"contents"})");
        QTest::newRow("unknown command") << QByteArray(R"({"file":"/x/PELTRA.HLP","show":"quit"})");
        QTest::newRow("context missing") << QByteArray(R"({"file":"/x/PELTRA.HLP","show":"context"})");
        QTest::newRow("context as text") << QByteArray(R"({"file":"/x/PELTRA.HLP","show":"context","context":"17"})");
    }
    void badMessages() {
        QFETCH(QByteArray, message);
        QVERIFY(!HelpRequest::fromMessage(message));
    }

    void listening_data() {
        QTest::addColumn<int>("heldBy"); // 0 nobody, 1 what a killed viewer leaves, 2 a live viewer
        QTest::newRow("free") << 0;
        QTest::newRow("left behind") << 1;
        QTest::newRow("held by a live viewer") << 2;
    }
    void listening() {
        QFETCH(int, heldBy);
        const QString name = folder.filePath(QStringLiteral("listen-%1").arg(heldBy));
        QLocalServer live;
        if (heldBy == 1)
            QVERIFY(QFile(name).open(QIODevice::WriteOnly));
        if (heldBy == 2)
            QVERIFY(live.listen(name));
        HelpServer server(name);
        QCOMPARE(server.listen(), heldBy != 2);
        if (heldBy != 2)
            QVERIFY(sentFromAnotherThread(name, request(helpFile, Kind::Index)));
    }

    void runningViewerTakesRequests() {
        const QString name = folder.filePath(QStringLiteral("running"));
        QVERIFY(!HelpServer::sendToRunning(name, request(helpFile, Kind::Index))); // nobody there yet
        HelpServer server(name);
        QVERIFY(server.listen());
        HelpViewerWindow window; // as the viewer connects them
        connect(&server, &HelpServer::requestReceived, &window, &HelpViewerWindow::handle);
        QVERIFY(sentFromAnotherThread(name, request(helpFile, Kind::Context, 17)));
        QCOMPARE(fileName(window.pane()->browser->source()), QStringLiteral("event-date.html"));
        QVERIFY(sentFromAnotherThread(name, request(helpFile, Kind::Index)));
        QCOMPARE(window.pane()->tabs->currentIndex(), HelpPane::indexTab);
    }

    void secondViewerHandsOver() {
        // The program as the countdown window starts it, twice.
        QTemporaryDir temporary; // the viewers' private folders go here
        QVERIFY(temporary.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), temporary.path());
        const QString name = temporary.filePath(QStringLiteral("viewer"));
        const QStringList common{"--socket", name, "--file", helpFile};

        QProcess first;
        first.setProcessEnvironment(environment);
        first.start(viewerProgram, common + QStringList{"--contents"});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(viewerListening(name), 15000);
        for (const QStringList& command : {QStringList{"--context", "17"}, QStringList{"--index"}}) {
            QProcess second;
            second.setProcessEnvironment(environment);
            second.start(viewerProgram, common + command);
            QVERIFY(second.waitForFinished(15000));
            QCOMPARE(second.exitStatus(), QProcess::NormalExit);
            QCOMPARE(second.exitCode(), 0);
            QCOMPARE(first.state(), QProcess::Running);
        }
        const QStringList leftBehind = collections(temporary.path());
        QCOMPARE(leftBehind.size(), 1); // one viewer's collection

        // Killed outright, it leaves its collection and its address; the next viewer takes both over.
        first.kill();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(collections(temporary.path()), leftBehind);
        QProcess next;
        next.setProcessEnvironment(environment);
        next.start(viewerProgram, common + QStringList{"--index"});
        QTRY_VERIFY_WITH_TIMEOUT(viewerListening(name), 15000);
        QTRY_VERIFY(collections(temporary.path()).size() == 1 &&
                    !collections(temporary.path()).contains(leftBehind.first()));

        // Ended by a signal, it leaves nothing behind.
        next.terminate();
        QVERIFY(next.waitForFinished(10000));
        QCOMPARE(next.exitStatus(), QProcess::NormalExit);
        QVERIFY(collections(temporary.path()).isEmpty());
        QVERIFY(!viewerListening(name));
    }

    void privateFolder_data() {
        QTest::addColumn<Folder>("kind");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("the user's, mode 0700") << Folder::Private << true;
        QTest::newRow("open to others") << Folder::OpenToOthers << false;
        QTest::newRow("a link to a private folder") << Folder::Link << false;
        QTest::newRow("a file") << Folder::PlainFile << false;
        QTest::newRow("another user's") << Folder::OtherOwner << false;
    }
    void privateFolder() {
        QFETCH(Folder, kind);
        QFETCH(bool, accepted);
        QTemporaryDir base;
        const QString runtime = base.filePath(QStringLiteral("runtime"));
        const QString temporary = base.filePath(QStringLiteral("tmp"));
        const QString fallback = temporary + QStringLiteral("/peltra-%1").arg(::geteuid());
        if (!makeFolder(kind, runtime))
            QSKIP("cannot make a folder of another user without root");
        QVERIFY(QDir().mkpath(temporary));
        const auto restore = qScopeGuard([saved = qgetenv("XDG_RUNTIME_DIR"), savedTemporary = qgetenv("TMPDIR")] {
            qputenv("XDG_RUNTIME_DIR", saved);
            qputenv("TMPDIR", savedTemporary);
        });
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        qputenv("TMPDIR", QFile::encodeName(temporary));
        QCOMPARE(PrivateRuntimeFolder::isPrivate(runtime), accepted);
        // A runtime folder that fails goes unused: the program makes its own, private.
        QCOMPARE(PrivateRuntimeFolder::path(), accepted ? runtime : fallback);
        QVERIFY(PrivateRuntimeFolder::isPrivate(PrivateRuntimeFolder::path()));
        // Something else already at that name is refused as well, and there is no folder at all.
        if (!accepted) {
            QVERIFY(QDir(fallback).removeRecursively());
            QVERIFY(makeFolder(kind, fallback));
            QCOMPARE(PrivateRuntimeFolder::path(), QString());
            QCOMPARE(HelpServer::defaultName(), QString());
        }
    }

    void peerOfAnotherUserIsNotTrusted_data() {
        QTest::addColumn<Peer>("peer");
        QTest::addColumn<PeerRole>("role");
        QTest::newRow("the user's viewer answers") << Peer::SameUser << PeerRole::Answers;
        QTest::newRow("another user's viewer answers") << Peer::OtherUser << PeerRole::Answers;
        QTest::newRow("the user's program asks") << Peer::SameUser << PeerRole::Asks;
        QTest::newRow("another user's program asks") << Peer::OtherUser << PeerRole::Asks;
    }
    void peerOfAnotherUserIsNotTrusted() {
        QFETCH(Peer, peer);
        QFETCH(PeerRole, role);
        if (peer == Peer::OtherUser && ::geteuid() != 0)
            QSKIP("another user's process needs root to start");
        // A folder where both users can make and reach an address, so that only the check is left.
        QTemporaryDir shared;
        QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777)));
        const QString address = shared.filePath(QStringLiteral("viewer"));
        const HelpRequest sent = request(helpFile, Kind::Context, 17);
        const bool trusted = peer == Peer::SameUser;
        if (role == PeerRole::Answers) {
            const pid_t child = startPeer(peer, role, QFile::encodeName(address), {});
            QTRY_VERIFY(QFileInfo::exists(address));
            QCOMPARE(HelpServer::sendToRunning(address, sent, 2000), trusted);
            ::kill(child, SIGKILL);
            finishedPeer(child);
            return;
        }
        HelpServer server(address);
        QVERIFY(server.listen());
        QVERIFY(QFile::setPermissions(address, QFileDevice::Permissions(0x7777)));
        QSignalSpy received(&server, &HelpServer::requestReceived);
        const pid_t child = startPeer(peer, role, QFile::encodeName(address), sent.toMessage());
        QCOMPARE(finishedPeer(child), 0); // it reached the address and was answered or turned away
        QCoreApplication::processEvents();
        QCOMPARE(received.size(), trusted ? 1 : 0);
    }

    void hostilePages_data() {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<QString>("notice"); // empty: shown
        const QString nested = QStringLiteral("ヘルプのページ「page.html」は入れ子が深すぎるため表示できません。");
        const QString large = QStringLiteral("ヘルプのページ「page.html」は大きすぎるため表示できません。");
        QTest::newRow("tables 4 deep") << nestedTables(4, true) << QString();
        QTest::newRow("tables 20 deep") << nestedTables(20, true) << nested;
        QTest::newRow("tables 3000 deep, never closed") << nestedTables(3000, false) << nested;
        QTest::newRow("32 nested blocks") << "<div>" + QByteArray("<div>").repeated(31) << QString();
        QTest::newRow("40 nested blocks") << QByteArray("<div>").repeated(40) << nested;
        QTest::newRow("paragraphs and items left open")
            << QByteArray("<p>text<ul><li>one<li>two</ul>").repeated(200) << QString();
        QTest::newRow("nesting inside a comment") << "<!--" + QByteArray("<div>").repeated(50) + "-->" << QString();
        QTest::newRow("over 4 MB") << QByteArray(HelpBrowser::maximumResourceSize + 1, 'x') << large;
    }
    void hostilePages() {
        QFETCH(QByteArray, html);
        QFETCH(QString, notice);
        const QUrl page(QStringLiteral("qthelp://org.example.hostile/doc/page.html"));
        QCOMPARE(HelpBrowser::refusalFor(page, html), notice);
    }

    void ownPagesAreShown() {
        HelpDocument document(helpFile);
        QVERIFY(document.isOpen());
        const QList<QUrl> pages =
            document.engine()->files(QHelpEngineCore::namespaceName(helpFile), QString(), QStringLiteral("html"));
        QVERIFY(pages.size() > 10);
        for (const QUrl& page : pages)
            QCOMPARE(HelpBrowser::refusalFor(page, document.engine()->fileData(page)), QString());
    }

    void hostilePageInTheViewer_data() {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<QString>("notice");
        QTest::newRow("tables 3000 deep") << nestedTables(3000, false) << "入れ子が深すぎる";
        QTest::newRow("a page of 5 MB") << QByteArray(5 * 1024 * 1024, 'x') << "大きすぎる";
    }
    void hostilePageInTheViewer() {
        QFETCH(QByteArray, html);
        QFETCH(QString, notice);
        QTemporaryDir source;
        const QString hostile = compiledHelp(source.path(), html);
        QVERIFY(!hostile.isEmpty());
        HelpViewerWindow window;
        window.handle(request(hostile, Kind::Contents));
        HelpPane* pane = window.pane();
        QCOMPARE(fileName(pane->browser->source()), QStringLiteral("index.html"));
        QElapsedTimer clock;
        clock.start();
        pane->browser->setSource(QUrl(QStringLiteral("page.html")));
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(pane->errorLine->isVisible());
        QVERIFY2(pane->errorLine->text().contains(notice), qPrintable(pane->errorLine->text()));
        QCOMPARE(fileName(pane->browser->source()), QStringLiteral("index.html")); // the page shown stays
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
