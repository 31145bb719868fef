// The help viewer peltra-help: what each request shows, hostile pages, whom it trusts, the hand-over.
#include "app/system/PrivateRuntimeFolder.h"
#include "helpviewer/HelpBrowser.h"
#include "helpviewer/HelpPane.h"
#include "helpviewer/HelpServer.h"
#include "helpviewer/HelpViewerWindow.h"

#include <QtHelp>
#include <QtNetwork>
#include <QtTest>
#include <QtWidgets>

#include <cerrno>
#include <cstring>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using Kind = HelpRequest::Kind;
Q_DECLARE_METATYPE(HelpRequest)

class TestHelpViewer : public QObject {
    Q_OBJECT

    const QString helpFile = QStringLiteral(PELTRA_HELP_FILE);
    QTemporaryDir folder;

    static QString shown(const HelpViewerWindow& window) { return window.pane()->browser->source().fileName(); }

private slots:
    void initTestCase() { // the help's collections and the window's place: the test's own, and its viewers'
        qputenv("XDG_CACHE_HOME", QFile::encodeName(folder.filePath(QStringLiteral("cache"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath(QStringLiteral("config"))));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.filePath(QStringLiteral("config")));
        QVERIFY(HelpViewerWindow::placementFile().startsWith(folder.path()));
    }

    // Each request, the file put in place after a first one failed; then a link, followed only within the help.
    void requests_data() {
        QTest::addColumn<HelpRequest>("asked");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QUrl>("link");
        const QUrl web("http://example.org/logo.png"), about("about.html"), local(QUrl::fromLocalFile(helpFile));
        QTest::newRow("contents") << HelpRequest{{}, Kind::Contents} << "index.html" << about;
        QTest::newRow("keyword index") << HelpRequest{{}, Kind::Index} << "index.html" << web;
        QTest::newRow("settings topic") << HelpRequest{{}, Kind::Context, 11} << "settings-environment.html" << local;
        QTest::newRow("event date topic") << HelpRequest{{}, Kind::Context, 17} << "event-date.html" << web;
        QTest::newRow("unknown topic") << HelpRequest{{}, Kind::Context, 99} << "index.html" << about;
    }
    void requests() {
        QFETCH(HelpRequest, asked);
        QFETCH(QString, page);
        QFETCH(QUrl, link);
        QTemporaryDir beside;
        asked.helpFile = beside.filePath(QStringLiteral("PELTRA.HLP"));
        HelpViewerWindow window;
        window.handle(HelpRequest{asked.helpFile, Kind::Index});
        QVERIFY(window.pane()->errorLine->isVisible() && window.pane()->errorLine->text().contains(asked.helpFile));
        QVERIFY(window.pane()->browser->toPlainText().isEmpty() && QDir(beside.path()).isEmpty()); // nothing made
        QVERIFY(QFile::copy(helpFile, asked.helpFile));
        window.handle(asked);
        HelpPane* pane = window.pane();
        QCOMPARE(pane->errorLine->isVisible(), asked.context == 99);
        QVERIFY(asked.context != 99 || pane->errorLine->text().contains(QString::number(asked.context)));
        QCOMPARE(pane->tabs->currentIndex(), asked.kind == Kind::Index ? HelpPane::indexTab : HelpPane::contentsTab);
        QCOMPARE(shown(window), page);
        QTRY_COMPARE(pane->contents->currentIndex().data().toString(), pane->browser->documentTitle());
        for (int type : {QTextDocument::HtmlResource, QTextDocument::ImageResource, QTextDocument::StyleSheetResource})
            QCOMPARE(pane->browser->loadResource(type, link).isNull(), !link.isRelative());
        pane->browser->setSource(link);
        QCOMPARE(shown(window), link.isRelative() ? link.fileName() : page);
    }

    void placeKept() { // where it was left, pulled back onto the screen
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        HelpViewerWindow first;
        first.show();
        first.setGeometry(screen.right() - 100, screen.top() + 20, 500, 300); // over the right edge
        first.close();
        const int over = first.frameGeometry().right() - screen.right();
        QCOMPARE(HelpViewerWindow().geometry(), first.geometry().translated(-over, 0));
    }

    void keywordTypedAtOnce() { // possibly before the index is ready; Japanese comes through the input method
        HelpViewerWindow window;
        window.handle(HelpRequest{helpFile, Kind::Index});
        QVERIFY(QTest::qWaitForWindowActive(&window));
        HelpPane* pane = window.pane();
        QCOMPARE(QApplication::focusWidget(), pane->keyword);
        QInputMethodEvent typed;
        typed.setCommitString(QStringLiteral("復帰音"));
        QCoreApplication::sendEvent(pane->keyword, &typed);
        QTRY_COMPARE_WITH_TIMEOUT(pane->index->model()->rowCount(), 2, 10000);
        QTest::keyClick(pane->keyword, Qt::Key_Return);
        QCOMPARE(shown(window), QStringLiteral("minimize-return.html"));
    }

    void closesFromKeyboard_data() { // wherever the focus is
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<bool>("inPage");
        QTest::newRow("Escape in the keyword box") << QKeyCombination(Qt::Key_Escape) << false;
        QTest::newRow("Ctrl+W in the keyword box") << (Qt::CTRL | Qt::Key_W) << false;
        QTest::newRow("Escape in the page") << QKeyCombination(Qt::Key_Escape) << true;
        QTest::newRow("Ctrl+W in the page") << (Qt::CTRL | Qt::Key_W) << true;
    }
    void closesFromKeyboard() {
        QFETCH(QKeyCombination, keys);
        QFETCH(bool, inPage);
        HelpViewerWindow window;
        window.handle(HelpRequest{helpFile, inPage ? Kind::Contents : Kind::Index});
        QVERIFY(QTest::qWaitForWindowActive(&window));
        if (inPage)
            window.pane()->browser->setFocus();
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused && window.isAncestorOf(focused));
        QTest::keyClick(focused, keys.key(), keys.keyboardModifiers());
        QTRY_VERIFY(!window.isVisible());
    }

    void secondViewerHandsOver() { // the program as the countdown window starts it, twice
        const QString name = folder.filePath(QStringLiteral("viewer"));
        const auto collections = [&] {
            return QDir(folder.filePath("cache/peltra-help")).entryList({QStringLiteral("collection-*")}, QDir::Dirs);
        };
        QProcess first, second, next;
        first.start(PELTRA_HELP_VIEWER, {"--socket", name, "--file", helpFile, "--contents"});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(name), 15000); // listening
        second.start(PELTRA_HELP_VIEWER, {"--socket", name, "--file", helpFile, "--index"});
        QVERIFY(second.waitForFinished(15000) && second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0);
        QCOMPARE(first.state(), QProcess::Running);
        const QStringList leftBehind = collections();
        QCOMPARE(leftBehind.size(), 1); // one viewer's collection
        first.kill(); // killed outright, it leaves its collection and address; the next viewer takes both over
        QVERIFY(first.waitForFinished(10000));
        next.start(PELTRA_HELP_VIEWER, {"--socket", name, "--file", helpFile, "--index"});
        QTRY_VERIFY_WITH_TIMEOUT(collections().size() == 1 && collections() != leftBehind, 15000);
        next.terminate(); // ended by a signal, it leaves nothing behind
        QVERIFY(next.waitForFinished(10000) && next.exitStatus() == QProcess::NormalExit);
        QVERIFY(collections().isEmpty() && !QFileInfo::exists(name));
    }

    // The help's folder in the cache cannot be made: the viewer names the folder and the reason.
    void collectionFolderNotMade_data() {
        QTest::addColumn<QString>("cache"); // below the test's folder
        QTest::addColumn<QString>("file");  // a plain file put in the way
        QTest::addColumn<QString>("named"); // the path the message names
        QTest::addColumn<int>("reason");
        QTest::newRow("the cache below a file") << "blocked/cache"
                                                << "blocked"
                                                << "blocked/cache/peltra-help" << ENOTDIR;
        QTest::newRow("a file in the folder's place") << "cache"
                                                      << "cache/peltra-help"
                                                      << "cache/peltra-help" << ENOTDIR;
    }
    void collectionFolderNotMade() {
        QFETCH(QString, cache);
        QFETCH(QString, file);
        QFETCH(QString, named);
        QFETCH(int, reason);
        QTemporaryDir base;
        QVERIFY(QDir(base.path()).mkpath(QFileInfo(base.filePath(file)).path()));
        QFile blocking(base.filePath(file));
        QVERIFY(blocking.open(QIODevice::WriteOnly));
        blocking.close();
        const QByteArray testCache = qgetenv("XDG_CACHE_HOME");
        const std::shared_ptr<void> restore(nullptr, [&](void*) { qputenv("XDG_CACHE_HOME", testCache); });
        qputenv("XDG_CACHE_HOME", QFile::encodeName(base.filePath(cache)));
        HelpViewerWindow window;
        window.handle(HelpRequest{helpFile, Kind::Contents});
        const QString shownError = window.pane()->errorLine->text();
        QVERIFY2(window.pane()->errorLine->isVisible() && shownError.contains(base.filePath(named)) &&
                     shownError.endsWith(QString::fromLocal8Bit(std::strerror(reason))),
                 qPrintable(shownError));
        QVERIFY(QFileInfo(base.filePath(file)).isFile()); // what was in the way is left as it was
    }

    void privateFolder_data() { // the folder of the user's sockets: only the user's own, not a link, mode 0700
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("link");
        QTest::addColumn<uint>("owner");
        QTest::newRow("the user's, mode 0700") << 0700 << false << ::geteuid();
        QTest::newRow("open to others") << 0755 << false << ::geteuid();
        QTest::newRow("a link to a private folder") << 0700 << true << ::geteuid();
        QTest::newRow("another user's") << 0700 << false << 65534u;
    }
    void privateFolder() {
        QFETCH(int, mode);
        QFETCH(bool, link);
        QFETCH(uint, owner);
        if (owner != ::geteuid() && ::geteuid() != 0)
            QSKIP("cannot make a folder of another user without root");
        QTemporaryDir base;
        const QByteArray name = QFile::encodeName(base.filePath("runtime")), made = link ? name + "-target" : name;
        QVERIFY(::mkdir(made, 0700) == 0 && ::chmod(made, mode) == 0 && ::chown(made, owner, gid_t(-1)) == 0);
        QVERIFY(!link || ::symlink(made, name) == 0);
        QCOMPARE(PrivateRuntimeFolder::isPrivate(base.filePath("runtime")),
                 mode == 0700 && !link && owner == ::geteuid());
    }

    void peerOfAnotherUserIsNotTrusted_data() {
        QTest::addColumn<uint>("peer");
        QTest::addColumn<bool>("peerAsks");
        QTest::newRow("another user's viewer") << 65534u << false;
        QTest::newRow("the user's program asks") << ::geteuid() << true;
        QTest::newRow("another user's program asks") << 65534u << true;
    }
    void peerOfAnotherUserIsNotTrusted() {
        QFETCH(uint, peer);
        QFETCH(bool, peerAsks);
        if (::geteuid() != 0)
            QSKIP("acting as another user needs root");
        const auto as = [](uid_t user, const auto& act) { // the end made under that user's id
            const bool done = ::seteuid(user) == 0 && act();
            return ::seteuid(0) == 0 && done;
        };
        QTemporaryDir shared;
        const QString address = shared.filePath(QStringLiteral("viewer"));
        const auto open = QFileDevice::Permissions(0x7777);
        const HelpRequest sent{helpFile, Kind::Context, 17};
        HelpServer server(address);
        QSignalSpy received(&server, &HelpServer::requestReceived);
        QVERIFY(QFile::setPermissions(shared.path(), open));
        QVERIFY(as(peerAsks ? 0 : peer, [&] { return server.listen() && QFile::setPermissions(address, open); }));
        if (peerAsks) { // a program that sends without looking who listens
            QLocalSocket asking;
            QVERIFY(as(peer, [&] { return asking.connectToServer(address), asking.waitForConnected(); }));
            asking.write(sent.toMessage());
            QTRY_COMPARE(asking.state(), QLocalSocket::UnconnectedState);
            QCOMPARE(received.size(), peer == 0 ? 1 : 0);
            return;
        }
        auto handedOver = std::async(std::launch::async, [&] { return HelpServer::sendToRunning(address, sent); });
        QTRY_VERIFY(handedOver.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QCOMPARE(handedOver.get(), peer == 0);
    }

    void hostilePages_data() {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<bool>("refused");
        const QByteArray table("<table><tr><td>"); // left open
        QTest::newRow("tables at the limit") << table.repeated(HelpBrowser::maximumTableNesting) << false;
        QTest::newRow("tables over it") << table.repeated(HelpBrowser::maximumTableNesting + 1) << true;
        QTest::newRow("blocks at the limit") << QByteArray("<div>").repeated(HelpBrowser::maximumNesting) << false;
        QTest::newRow("blocks over it") << QByteArray("<div>").repeated(HelpBrowser::maximumNesting + 1) << true;
        QTest::newRow("elements left open") << QByteArray("<p>text<ul><li>one<li>two</ul>").repeated(200) << false;
        QTest::newRow("nesting inside a comment") << "<!--" + QByteArray("<div>").repeated(50) + "-->" << false;
        QTest::newRow("over the size limit") << QByteArray(HelpBrowser::maximumResourceSize + 1, 'x') << true;
    }
    void hostilePages() {
        QFETCH(QByteArray, html);
        QFETCH(bool, refused);
        QCOMPARE(HelpBrowser::refusalFor(QUrl("qthelp://a.b/doc/page.html"), html).contains("page.html"), refused);
    }

    void hostilePageInTheViewer() { // refused with a notice, not shown
        const QList<std::pair<QString, QByteArray>> files{
            {"h.qhp", R"(<QtHelpProject version="1.0"><namespace>a.b</namespace><virtualFolder>doc</virtualFolder>
<filterSection><files><file>deep.html</file></files></filterSection></QtHelpProject>)"},
            {"deep.html", QByteArray("<table><tr><td>").repeated(3000)}};
        for (const auto& [name, text] : files) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        }
        QVERIFY(QProcess::execute(PELTRA_QHELPGENERATOR, {folder.filePath("h.qhp")}) == 0); // into h.qch beside
        HelpViewerWindow window;
        window.handle(HelpRequest{folder.filePath("h.qch")}); // its contents page
        QVERIFY(window.pane()->errorLine->isVisible() && window.pane()->errorLine->text().contains("deep.html"));
        QVERIFY(window.pane()->browser->source().isEmpty() && window.pane()->browser->toPlainText().isEmpty());
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
