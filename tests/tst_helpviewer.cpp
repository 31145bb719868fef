// The help viewer peltra-help with the help file as built: what each request shows, where the window
// goes, bad and hostile help files, whom it trusts, and the hand-over from a second viewer.
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

HelpRequest request(const QString& file, Kind kind, int context = 0) {
    HelpRequest result;
    result.helpFile = file;
    result.kind = kind;
    result.context = context;
    return result;
}

QString shownPage(const HelpViewerWindow& window) {
    return window.pane()->browser->source().fileName();
}

bool viewerListening(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    return socket.waitForConnected(200);
}

// A blocking call made on another thread, while this one goes on serving events.
bool sentFromAnotherThread(const QString& name, const HelpRequest& sent) {
    auto handedOver = std::async(std::launch::async, [&] { return HelpServer::sendToRunning(name, sent); });
    return QTest::qWaitFor([&] { return handedOver.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }) &&
           handedOver.get();
}

QStringList collections(const QString& cache) {
    return QDir(cache + QStringLiteral("/peltra-help")).entryList({QStringLiteral("collection-*")}, QDir::Dirs);
}

enum class Folder { Private, OpenToOthers, Link, OtherOwner };

bool makeFolder(Folder kind, const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (kind == Folder::Link)
        return ::mkdir(name + "-target", 0700) == 0 && ::symlink(name + "-target", name) == 0;
    return ::mkdir(name, 0700) == 0 && (kind != Folder::OpenToOthers || ::chmod(name, 0755) == 0) &&
           (kind != Folder::OtherOwner || ::chown(name, 65534, 65534) == 0);
}

// A process of the given user at the other end of the address: it answers "ok" to whatever comes
// (no request given), or sends the request. Only system calls after the fork.
pid_t startPeer(bool otherUser, const QByteArray& address, const QByteArray& request) {
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    if (otherUser && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(3);
    sockaddr_un place{};
    place.sun_family = AF_UNIX;
    std::memcpy(place.sun_path, address.constData(), std::min<size_t>(address.size(), sizeof place.sun_path - 1));
    int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    char buffer[256];
    if (request.isEmpty()) {
        if (::bind(descriptor, reinterpret_cast<sockaddr*>(&place), sizeof place) != 0 || ::listen(descriptor, 1) != 0)
            ::_exit(4);
        descriptor = ::accept(descriptor, nullptr, nullptr);
        [[maybe_unused]] const auto sent = ::write(descriptor, "ok\n", 3);
    } else {
        if (::connect(descriptor, reinterpret_cast<sockaddr*>(&place), sizeof place) != 0)
            ::_exit(5);
        [[maybe_unused]] const auto sent = ::write(descriptor, request.constData(), request.size());
    }
    while (::read(descriptor, buffer, sizeof buffer) > 0) {
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

// A help file of an index page and page.html, compiled as the build compiles the help.
QString compiledHelp(const QString& folder, const QByteArray& page) {
    const QList<std::pair<QString, QByteArray>> files{{"hostile.qhp", R"(<?xml version="1.0" encoding="UTF-8"?>
<QtHelpProject version="1.0"><namespace>org.example.hostile</namespace><virtualFolder>doc</virtualFolder>
<filterSection><toc><section title="Index" ref="index.html"/></toc>
<files><file>index.html</file><file>page.html</file></files></filterSection></QtHelpProject>)"},
                                                      {"index.html", "<html><body><p>Index</p></body></html>"},
                                                      {"page.html", page}};
    for (const auto& [name, text] : files) {
        QFile file(folder + u'/' + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return {};
    }
    QProcess generator;
    generator.start(QStringLiteral(PELTRA_QHELPGENERATOR),
                    {folder + QStringLiteral("/hostile.qhp"), QStringLiteral("-o"), folder + QStringLiteral("/h.qch")});
    return generator.waitForFinished(60000) && generator.exitCode() == 0 ? folder + QStringLiteral("/h.qch")
                                                                         : QString();
}

QByteArray nestedTables(int depth) {
    return QByteArray("<table><tr><td>").repeated(depth) + "deep" + QByteArray("</td></tr></table>").repeated(depth);
}
} // namespace

Q_DECLARE_METATYPE(HelpRequest::Kind)
Q_DECLARE_METATYPE(Folder)

class TestHelpViewer : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void initTestCase() {
        // The help's collections and the window's place: this test's own, for the viewers it starts too.
        qputenv("XDG_CACHE_HOME", QFile::encodeName(folder.filePath(QStringLiteral("cache"))));
        const QString config = folder.filePath(QStringLiteral("config"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
        QVERIFY(HelpViewerWindow::placementFile().startsWith(config));
    }

    // Each request after a bad one, in the same window: the page, the tab, and the error line.
    void requests_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("error");
        QTest::newRow("contents") << Kind::Contents << 0 << "index.html" << int(HelpPane::contentsTab) << false;
        QTest::newRow("keyword index") << Kind::Index << 0 << "index.html" << int(HelpPane::indexTab) << false;
        QTest::newRow("settings, first page") << Kind::Context << 11 << "settings-environment.html" << 0 << false;
        QTest::newRow("settings, last page") << Kind::Context << 13 << "settings-messages.html" << 0 << false;
        QTest::newRow("event date") << Kind::Context << 17 << "event-date.html" << 0 << false;
        QTest::newRow("unknown topic") << Kind::Context << 99 << "index.html" << 0 << true;
    }
    void requests() {
        QFETCH(Kind, kind);
        QFETCH(int, context);
        QFETCH(QString, page);
        QFETCH(int, tab);
        QFETCH(bool, error);
        HelpViewerWindow window;
        window.handle(request(helpFile, Kind::Context, 98));
        QPointer<HelpPane> pane = window.pane();
        QVERIFY(pane->errorLine->isVisible());
        window.handle(request(helpFile, kind, context));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.pane(), pane.data());
        QCOMPARE(pane->errorLine->isVisible(), error);
        QVERIFY(!error || pane->errorLine->text().contains(QString::number(context)));
        QCOMPARE(pane->tabs->currentIndex(), tab);
        QCOMPARE(shownPage(window), page);
        QVERIFY(pane->browser->toHtml().contains(QLatin1String("color:#000080"))); // its style sheet, from the file
        QTRY_COMPARE_WITH_TIMEOUT(pane->contents->currentIndex().data().toString(), pane->browser->documentTitle(),
                                  10000);
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

    void firstOpeningCentredThenKept() {
        QFile::remove(HelpViewerWindow::placementFile());
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QRect moved;
        {
            HelpViewerWindow window;
            window.handle(request(helpFile, Kind::Contents));
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(available.contains(window.frameGeometry()));
            QVERIFY((window.geometry().center() - available.center()).manhattanLength() <= 2);
            window.setGeometry(available.left() + 30, available.top() + 20, 500, 300);
            moved = window.geometry();
            window.close();
        }
        QCOMPARE(HelpViewerWindow().geometry(), moved);
    }

    void keywordTypedAtOnce() {
        HelpViewerWindow window;
        window.handle(request(helpFile, Kind::Index));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        HelpPane* pane = window.pane();
        QCOMPARE(QApplication::focusWidget(), pane->keyword);
        // Possibly before the index is ready; Japanese comes through the input method.
        QInputMethodEvent typed;
        typed.setCommitString(QStringLiteral("復帰音"));
        QCoreApplication::sendEvent(pane->keyword, &typed);
        QTRY_COMPARE_WITH_TIMEOUT(pane->index->model()->rowCount(), 2, 10000);
        QCOMPARE(pane->index->currentIndex().data().toString(), QStringLiteral("復帰音"));
        QTest::keyClick(pane->keyword, Qt::Key_Return);
        QCOMPARE(shownPage(window), QStringLiteral("minimize-return.html"));
    }

    void contentsEntryAndLinksLeadOn() {
        HelpViewerWindow window;
        window.handle(request(helpFile, Kind::Contents));
        QAbstractItemModel* model = window.pane()->contents->model();
        QTRY_VERIFY_WITH_TIMEOUT(model->rowCount() > 0, 10000);
        const QModelIndexList found =
            model->match(model->index(0, 0), Qt::DisplayRole, QStringLiteral("最小化と自動復帰"), 1,
                         Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(found.size(), 1);
        window.pane()->contents->setCurrentIndex(found.first());
        QTest::keyClick(window.pane()->contents, Qt::Key_Return);
        QCOMPARE(shownPage(window), QStringLiteral("minimize-return.html"));
        window.pane()->browser->setSource(QUrl(QStringLiteral("about.html")));
        QCOMPARE(shownPage(window), QStringLiteral("about.html"));
    }

    void badHelpFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("folder");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("corrupt") << QByteArray("SQLite format 3").repeated(500) << false;
        QTest::newRow("a folder") << QByteArray() << true;
    }
    void badHelpFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, folder);
        const QString path = this->folder.filePath(QStringLiteral("%1/PELTRA.HLP").arg(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(folder ? path : QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(bytes.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(bytes) && file.flush()));
        const QStringList besideBefore = QDir(QFileInfo(path).path()).entryList(QDir::AllEntries);
        HelpViewerWindow window;
        for (Kind asked : {Kind::Contents, Kind::Index, Kind::Context}) {
            window.handle(request(path, asked, 17));
            QVERIFY(window.pane()->errorLine->isVisible());
            QVERIFY(window.pane()->errorLine->text().contains(path));
            QVERIFY(window.pane()->browser->toPlainText().isEmpty());
        }
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::AllEntries), besideBefore); // nothing made beside
        // Once a good file is put in its place, it shows.
        QVERIFY(folder ? QDir(path).removeRecursively() : !file.exists() || file.remove());
        QVERIFY(QFile::copy(helpFile, path));
        window.handle(request(path, Kind::Context, 11));
        QVERIFY(!window.pane()->errorLine->isVisible());
        QCOMPARE(shownPage(window), QStringLiteral("settings-environment.html"));
    }

    void nothingFromOutsideTheHelpFile_data() {
        QTest::addColumn<QUrl>("address");
        QTest::newRow("web picture") << QUrl(QStringLiteral("http://peltra.example.org/logo.png"));
        QTest::newRow("local file") << QUrl::fromLocalFile(helpFile);
    }
    void nothingFromOutsideTheHelpFile() {
        QFETCH(QUrl, address);
        HelpViewerWindow window;
        window.handle(request(helpFile, Kind::Context, 17));
        HelpBrowser* browser = window.pane()->browser;
        for (int type : {QTextDocument::HtmlResource, QTextDocument::ImageResource, QTextDocument::StyleSheetResource})
            QVERIFY(browser->loadResource(type, address).isNull());
        browser->setSource(address);
        QCOMPARE(shownPage(window), QStringLiteral("event-date.html"));
        QVERIFY(!browser->loadResource(QTextDocument::HtmlResource, QUrl(QStringLiteral("menu.html"))).isNull());
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file"); // empty: refused
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("context");
        const QString file = QStringLiteral("/opt/peltra/PELTRA.HLP");
        QTest::newRow("context") << QStringList{"--context", "11", "--file", file} << file << Kind::Context << 11;
        QTest::newRow("relative file made absolute")
            << QStringList{"--file", "help/../PELTRA.HLP"} << QDir::current().absoluteFilePath("PELTRA.HLP")
            << Kind::Contents << 0;
        QTest::newRow("context not a number") << QStringList{"--context", "abc"} << QString() << Kind::Contents << 0;
        QTest::newRow("two commands") << QStringList{"--contents", "--index"} << QString() << Kind::Contents << 0;
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QFETCH(Kind, kind);
        QFETCH(int, context);
        QString error;
        const auto parsed = HelpRequest::fromArguments(QStringList{"peltra-help"} + arguments, {}, &error);
        QCOMPARE(parsed.has_value(), !file.isEmpty());
        QCOMPARE(error.isEmpty(), parsed.has_value());
        if (!parsed)
            return;
        QVERIFY(*parsed == request(file, kind, context));
        // As the program passes it on: on a command line, and to the running viewer.
        QVERIFY(HelpRequest::fromArguments(QStringList{"peltra-help"} + parsed->toArguments(), {}) == parsed);
        QVERIFY(HelpRequest::fromMessage(parsed->toMessage()) == parsed);
    }

    void runningViewerTakesRequests() {
        const QString name = folder.filePath(QStringLiteral("running"));
        QVERIFY(!HelpServer::sendToRunning(name, request(helpFile, Kind::Index))); // nobody there yet
        HelpServer server(name);
        QVERIFY(server.listen());
        HelpViewerWindow window; // as the viewer connects them
        connect(&server, &HelpServer::requestReceived, &window, &HelpViewerWindow::handle);
        QVERIFY(sentFromAnotherThread(name, request(helpFile, Kind::Context, 17)));
        QCOMPARE(shownPage(window), QStringLiteral("event-date.html"));
    }

    void secondViewerHandsOver() {
        // The program as the countdown window starts it, twice.
        QTemporaryDir temporary; // the viewers' private folders go here
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), temporary.path());
        const QString name = temporary.filePath(QStringLiteral("viewer"));
        const auto start = [&](QProcess& viewer, const QString& command) {
            viewer.setProcessEnvironment(environment);
            viewer.start(QStringLiteral(PELTRA_HELP_VIEWER), {"--socket", name, "--file", helpFile, command});
        };
        QProcess first;
        start(first, QStringLiteral("--contents"));
        QTRY_VERIFY_WITH_TIMEOUT(viewerListening(name), 15000);
        QProcess second;
        start(second, QStringLiteral("--index"));
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(std::pair(second.exitStatus(), second.exitCode()), std::pair(QProcess::NormalExit, 0));
        QCOMPARE(first.state(), QProcess::Running);
        const QStringList leftBehind = collections(temporary.path());
        QCOMPARE(leftBehind.size(), 1); // one viewer's collection

        // Killed outright, it leaves its collection and its address; the next viewer takes both over.
        first.kill();
        QVERIFY(first.waitForFinished(10000));
        QProcess next;
        start(next, QStringLiteral("--index"));
        QTRY_VERIFY_WITH_TIMEOUT(viewerListening(name), 15000);
        QTRY_VERIFY(collections(temporary.path()).size() == 1 && collections(temporary.path()) != leftBehind);
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
        QTest::newRow("another user's") << Folder::OtherOwner << false;
    }
    void privateFolder() {
        QFETCH(Folder, kind);
        QFETCH(bool, accepted);
        QTemporaryDir base;
        const QString runtime = base.filePath(QStringLiteral("runtime"));
        const QString fallback = base.filePath(QStringLiteral("tmp/peltra-%1").arg(::geteuid()));
        if (!makeFolder(kind, runtime))
            QSKIP("cannot make a folder of another user without root");
        QVERIFY(QDir().mkpath(base.filePath(QStringLiteral("tmp"))));
        const auto restore = qScopeGuard([runtime = qgetenv("XDG_RUNTIME_DIR"), temporary = qgetenv("TMPDIR")] {
            qputenv("XDG_RUNTIME_DIR", runtime);
            qputenv("TMPDIR", temporary);
        });
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        qputenv("TMPDIR", QFile::encodeName(base.filePath(QStringLiteral("tmp"))));
        // A runtime folder that fails goes unused: the program makes its own, private.
        QCOMPARE(PrivateRuntimeFolder::path(), accepted ? runtime : fallback);
        QVERIFY(PrivateRuntimeFolder::isPrivate(PrivateRuntimeFolder::path()));
        if (!accepted) { // the same kind of thing at its own name is refused too: no address at all
            QVERIFY(QDir(fallback).removeRecursively());
            QVERIFY(makeFolder(kind, fallback));
            QCOMPARE(HelpServer::defaultName(), QString());
        }
    }

    void peerOfAnotherUserIsNotTrusted_data() {
        QTest::addColumn<bool>("otherUser");
        QTest::addColumn<bool>("peerAsks"); // or answers as a running viewer would
        QTest::newRow("the user's viewer answers") << false << false;
        QTest::newRow("another user's viewer answers") << true << false;
        QTest::newRow("the user's program asks") << false << true;
        QTest::newRow("another user's program asks") << true << true;
    }
    void peerOfAnotherUserIsNotTrusted() {
        QFETCH(bool, otherUser);
        QFETCH(bool, peerAsks);
        if (otherUser && ::geteuid() != 0)
            QSKIP("another user's process needs root to start");
        // A folder where both users can make and reach an address, so that only the check is left.
        QTemporaryDir shared;
        QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777)));
        const QString address = shared.filePath(QStringLiteral("viewer"));
        const HelpRequest sent = request(helpFile, Kind::Context, 17);
        if (!peerAsks) {
            const pid_t child = startPeer(otherUser, QFile::encodeName(address), {});
            QTRY_VERIFY(QFileInfo::exists(address));
            QCOMPARE(HelpServer::sendToRunning(address, sent, 2000), !otherUser);
            ::kill(child, SIGKILL);
            finishedPeer(child);
            return;
        }
        HelpServer server(address);
        QVERIFY(server.listen());
        QVERIFY(QFile::setPermissions(address, QFileDevice::Permissions(0x7777)));
        QSignalSpy received(&server, &HelpServer::requestReceived);
        QCOMPARE(finishedPeer(startPeer(otherUser, QFile::encodeName(address), sent.toMessage())), 0);
        QCoreApplication::processEvents();
        QCOMPARE(received.size(), otherUser ? 0 : 1);
    }

    void hostilePages_data() {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<bool>("refused");
        QTest::newRow("tables at the limit") << nestedTables(HelpBrowser::maximumTableNesting) << false;
        QTest::newRow("tables over it") << nestedTables(HelpBrowser::maximumTableNesting + 1) << true;
        QTest::newRow("blocks at the limit") << QByteArray("<div>").repeated(HelpBrowser::maximumNesting) << false;
        QTest::newRow("blocks over it") << QByteArray("<div>").repeated(HelpBrowser::maximumNesting + 1) << true;
        QTest::newRow("elements left open") << QByteArray("<p>text<ul><li>one<li>two</ul>").repeated(200) << false;
        QTest::newRow("nesting inside a comment") << "<!--" + QByteArray("<div>").repeated(50) + "-->" << false;
        QTest::newRow("over the size limit") << QByteArray(HelpBrowser::maximumResourceSize + 1, 'x') << true;
    }
    void hostilePages() {
        QFETCH(QByteArray, html);
        QFETCH(bool, refused);
        const QUrl page(QStringLiteral("qthelp://org.example.hostile/doc/page.html"));
        QCOMPARE(HelpBrowser::refusalFor(page, html).contains(QLatin1String("page.html")), refused);
    }

    void ownPagesAreShown() {
        HelpDocument document(helpFile);
        const QList<QUrl> pages =
            document.engine()->files(QHelpEngineCore::namespaceName(helpFile), QString(), QStringLiteral("html"));
        QVERIFY(pages.size() > 10);
        for (const QUrl& page : pages)
            QCOMPARE(HelpBrowser::refusalFor(page, document.engine()->fileData(page)), QString());
    }

    // In the viewer, quickly: a notice, and the page shown stays.
    void hostilePageInTheViewer_data() {
        QTest::addColumn<QByteArray>("html");
        QTest::newRow("tables 3000 deep, never closed") << QByteArray("<table><tr><td>").repeated(3000);
        QTest::newRow("a page of 5 MB") << QByteArray(5 * 1024 * 1024, 'x');
    }
    void hostilePageInTheViewer() {
        QFETCH(QByteArray, html);
        QTemporaryDir source;
        const QString hostile = compiledHelp(source.path(), html);
        QVERIFY(!hostile.isEmpty());
        HelpViewerWindow window;
        window.handle(request(hostile, Kind::Contents));
        QElapsedTimer clock;
        clock.start();
        window.pane()->browser->setSource(QUrl(QStringLiteral("page.html")));
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(window.pane()->errorLine->isVisible());
        QVERIFY(window.pane()->errorLine->text().contains(QLatin1String("page.html")));
        QCOMPARE(shownPage(window), QStringLiteral("index.html"));
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
