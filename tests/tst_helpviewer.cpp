// The help viewer peltra-help: the window on the built help file, bad help files, the browser's
// refusal of anything outside the help file, and the hand-over from a second viewer to the running
// one, with the programs as built.

#include "helpviewer/HelpBrowser.h"
#include "helpviewer/HelpDocument.h"
#include "helpviewer/HelpPane.h"
#include "helpviewer/HelpRequest.h"
#include "helpviewer/HelpServer.h"
#include "helpviewer/HelpViewerWindow.h"

#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocalSocket>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

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

enum class BadFile { Missing, Empty, Corrupt, Text, Folder, Truncated };

} // namespace

Q_DECLARE_METATYPE(HelpRequest::Kind)
Q_DECLARE_METATYPE(BadFile)

class TestHelpViewer : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    static void waitForContents(HelpPane* pane) {
        QTRY_VERIFY_WITH_TIMEOUT(!pane->document->engine()->contentModel()->isCreatingContents() &&
                                     pane->contents->model()->rowCount() > 0,
                                 10000);
    }

    static void waitForIndex(HelpPane* pane) {
        QTRY_VERIFY_WITH_TIMEOUT(
            !pane->document->engine()->indexModel()->isCreatingIndex() && pane->index->model()->rowCount() > 0, 10000);
    }

    [[nodiscard]] QString makeBadFile(BadFile kind) const {
        const QString path = folder.filePath(QStringLiteral("bad-%1/PELTRA.HLP").arg(int(kind)));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        switch (kind) {
        case BadFile::Missing:
            break;
        case BadFile::Empty:
            file.open(QIODevice::WriteOnly);
            break;
        case BadFile::Corrupt: {
            file.open(QIODevice::WriteOnly);
            QByteArray noise(8192, '\0');
            for (int i = 0; i < noise.size(); ++i)
                noise[i] = char((i * 7919 + 13) % 251);
            file.write(noise);
            break;
        }
        case BadFile::Text:
            file.open(QIODevice::WriteOnly);
            file.write("<html><body>ヘルプではありません</body></html>\n");
            break;
        case BadFile::Folder:
            QDir().mkpath(path);
            break;
        case BadFile::Truncated: {
            QFile good(helpFile);
            good.open(QIODevice::ReadOnly);
            file.open(QIODevice::WriteOnly);
            file.write(good.read(good.size() / 2));
            break;
        }
        }
        return path;
    }

private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        QVERIFY2(QFileInfo(helpFile).isFile(), qPrintable(helpFile));
    }

    void opensOnContents() {
        HelpViewerWindow window;
        window.handle(request(helpFile, Kind::Contents));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("ペルトラ ヘルプ"));
        HelpPane* pane = window.pane();
        QVERIFY(pane->hasFile());
        QVERIFY(!pane->errorLine->isVisible());
        QCOMPARE(pane->tabs->currentIndex(), HelpPane::contentsTab);
        QCOMPARE(pane->tabs->tabText(HelpPane::contentsTab), QStringLiteral("目次"));
        QCOMPARE(pane->tabs->tabText(HelpPane::indexTab), QStringLiteral("キーワード"));
        QCOMPARE(fileName(pane->browser->source()), QStringLiteral("index.html"));
        QCOMPARE(pane->browser->documentTitle(), QStringLiteral("ペルトラ ヘルプ"));
        QVERIFY(pane->browser->toPlainText().contains(QStringLiteral("はじめて起動したとき")));
        waitForContents(pane);
        QCOMPARE(pane->contents->currentIndex().data().toString(), QStringLiteral("ペルトラ ヘルプ"));
    }

    void opensOnContext_data() {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::newRow("11") << 11 << "settings-environment.html"
                            << "環境設定";
        QTest::newRow("12") << 12 << "settings-initial.html"
                            << "初期設定";
        QTest::newRow("13") << 13 << "settings-messages.html"
                            << "メッセージ等";
        QTest::newRow("17") << 17 << "event-date.html"
                            << "イベント日の設定";
    }
    void opensOnContext() {
        QFETCH(int, context);
        QFETCH(QString, page);
        QFETCH(QString, title);
        HelpViewerWindow window;
        window.handle(request(helpFile, Kind::Context, context));
        HelpPane* pane = window.pane();
        QVERIFY(!pane->errorLine->isVisible());
        QCOMPARE(fileName(pane->browser->source()), page);
        QCOMPARE(pane->browser->documentTitle(), title);
        // The style sheet comes from the help file too: the heading is coloured.
        QVERIFY(pane->browser->toHtml().contains(QLatin1String("color:#000080")));
        waitForContents(pane);
        QCOMPARE(pane->contents->currentIndex().data().toString(), title);
    }

    void unknownContextSaysSo() {
        HelpViewerWindow window;
        window.show();
        window.handle(request(helpFile, Kind::Context, 99));
        HelpPane* pane = window.pane();
        QVERIFY(pane->errorLine->isVisible());
        QCOMPARE(pane->errorLine->text(), QStringLiteral("トピック番号 99 はこのヘルプファイルにありません。"));
        QCOMPARE(fileName(pane->browser->source()), QStringLiteral("index.html"));
        // The next good request clears the line.
        window.handle(request(helpFile, Kind::Context, 17));
        QVERIFY(!pane->errorLine->isVisible());
    }

    void keywordSearch() {
        HelpViewerWindow window;
        window.handle(request(helpFile, Kind::Index));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        HelpPane* pane = window.pane();
        QCOMPARE(pane->tabs->currentIndex(), HelpPane::indexTab);
        QCOMPARE(QApplication::focusWidget(), pane->keyword);
        QVERIFY(pane->keyword->text().isEmpty());
        // Typed at once, possibly before the index is ready; Japanese comes through the input method.
        QInputMethodEvent typed;
        typed.setCommitString(QStringLiteral("復帰音"));
        QCoreApplication::sendEvent(pane->keyword, &typed);
        QCOMPARE(pane->keyword->text(), QStringLiteral("復帰音"));
        waitForIndex(pane);
        QAbstractItemModel* model = pane->index->model();
        QTRY_COMPARE(model->rowCount(), 2);
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
        QTest::newRow("a nested entry") << "環境設定"
                                        << "settings-environment.html";
        QTest::newRow("deeper") << "最小化と自動復帰"
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
        window.handle(request(helpFile, Kind::Context, 17));
        QPointer<HelpPane> first = window.pane();
        window.handle(request(helpFile, Kind::Context, 12));
        QCOMPARE(window.pane(), first.data());
        QCOMPARE(fileName(first->browser->source()), QStringLiteral("settings-initial.html"));
        window.handle(request(helpFile, Kind::Index));
        QCOMPARE(window.pane(), first.data());
        QCOMPARE(first->tabs->currentIndex(), HelpPane::indexTab);

        // Another help file replaces what is shown.
        const QString copy = folder.filePath(QStringLiteral("copy/PELTRA.HLP"));
        QDir().mkpath(QFileInfo(copy).absolutePath());
        QFile::remove(copy);
        QVERIFY(QFile::copy(helpFile, copy));
        window.handle(request(copy, Kind::Context, 13));
        QVERIFY(window.pane() != first.data());
        QCOMPARE(window.pane()->helpFile(), copy);
        QCOMPARE(fileName(window.pane()->browser->source()), QStringLiteral("settings-messages.html"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
    }

    void badHelpFile_data() {
        QTest::addColumn<BadFile>("kind");
        QTest::addColumn<QString>("says");
        const QString missing = QStringLiteral("ヘルプファイル「%1」が見つかりません。");
        const QString unreadable = QStringLiteral("ヘルプファイル「%1」を読み込めません。");
        QTest::newRow("missing") << BadFile::Missing << missing;
        QTest::newRow("empty") << BadFile::Empty << unreadable;
        QTest::newRow("corrupt") << BadFile::Corrupt << unreadable;
        QTest::newRow("not a help file") << BadFile::Text << unreadable;
        QTest::newRow("a folder") << BadFile::Folder << unreadable;
        QTest::newRow("cut in half") << BadFile::Truncated << unreadable;
    }
    void badHelpFile() {
        QFETCH(BadFile, kind);
        QFETCH(QString, says);
        const QString path = makeBadFile(kind);
        const QFileInfo before(path);
        const QStringList besideBefore = QDir(before.absolutePath()).entryList(QDir::AllEntries | QDir::Hidden);

        HelpViewerWindow window;
        window.handle(request(path, Kind::Contents));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        HelpPane* pane = window.pane();
        if (kind == BadFile::Truncated && pane->hasFile()) {
            // Half a file may still hold its table of contents; then whatever it shows, nothing breaks.
            window.handle(request(path, Kind::Context, 17));
            window.handle(request(path, Kind::Index));
            QSKIP("the first half of this help file still opens");
        }
        QVERIFY(!pane->hasFile());
        QVERIFY(pane->errorLine->isVisible());
        QCOMPARE(pane->errorLine->text(), says.arg(path));
        QVERIFY(!pane->errorLine->text().contains(u'\n'));
        QVERIFY(!pane->tabs->isEnabled());
        QVERIFY(pane->browser->toPlainText().isEmpty());
        for (Kind other : {Kind::Index, Kind::Context})
            window.handle(request(path, other, 17));
        QVERIFY(window.pane()->errorLine->isVisible());

        // Nothing was written beside the file, nor to it.
        QCOMPARE(QDir(before.absolutePath()).entryList(QDir::AllEntries | QDir::Hidden), besideBefore);
        QCOMPARE(QFileInfo(path).size(), before.size());

        // Once a good file is asked for, it shows.
        window.handle(request(helpFile, Kind::Context, 11));
        QVERIFY(!window.pane()->errorLine->isVisible());
        QCOMPARE(fileName(window.pane()->browser->source()), QStringLiteral("settings-environment.html"));
    }

    void fileAppearsLater() {
        const QString path = folder.filePath(QStringLiteral("later/PELTRA.HLP"));
        QDir().mkpath(QFileInfo(path).absolutePath());
        HelpViewerWindow window;
        window.handle(request(path, Kind::Contents));
        QVERIFY(window.pane()->errorLine->isVisible());
        QVERIFY(QFile::copy(helpFile, path));
        window.handle(request(path, Kind::Context, 17));
        QVERIFY(!window.pane()->errorLine->isVisible());
        QCOMPARE(fileName(window.pane()->browser->source()), QStringLiteral("event-date.html"));
    }

    void nothingFromOutsideTheHelpFile_data() {
        QTest::addColumn<QUrl>("address");
        QTest::newRow("web page") << QUrl(QStringLiteral("https://peltra.example.org/"));
        QTest::newRow("web picture") << QUrl(QStringLiteral("http://peltra.example.org/logo.png"));
        QTest::newRow("local file") << QUrl::fromLocalFile(helpFile);
        QTest::newRow("ftp") << QUrl(QStringLiteral("ftp://peltra.example.org/x"));
        QTest::newRow("mail") << QUrl(QStringLiteral("mailto:peltra@example.org"));
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
        QVERIFY(!HelpBrowser::isHelpAddress(address));
        // Pages of the help file itself do load.
        QVERIFY(!browser->loadResource(QTextDocument::HtmlResource, QUrl(QStringLiteral("menu.html"))).isNull());
        QVERIFY(browser->loadResource(QTextDocument::HtmlResource, QUrl(QStringLiteral("no-such-page.html"))).isNull());
    }

    void documentKeepsItsCollectionPrivate() {
        QString collectionFolder;
        {
            HelpDocument document(helpFile);
            QVERIFY(document.isOpen());
            collectionFolder = QFileInfo(document.engine()->collectionFile()).absolutePath();
            QVERIFY(collectionFolder != QFileInfo(helpFile).absolutePath());
            QVERIFY(QFileInfo(document.engine()->collectionFile()).isFile());
            QCOMPARE(document.pageForContext(17).path().section(u'/', -1), QStringLiteral("event-date.html"));
            QVERIFY(document.pageForContext(5).isEmpty());
        }
        QVERIFY(!QFileInfo::exists(collectionFolder)); // gone with the document
    }

    void secondViewerHandsOver() {
        // The program as the countdown window starts it, twice.
        QTemporaryDir temporary; // the viewers' private folders go here
        QVERIFY(temporary.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("TMPDIR"), temporary.path());
        const QString name = temporary.filePath(QStringLiteral("viewer"));

        QProcess first;
        first.setProcessEnvironment(environment);
        first.start(viewerProgram, {"--socket", name, "--file", helpFile, "--contents"});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(viewerListening(name), 15000);
        // The running viewer keeps its collection in a private folder of its own.
        QCOMPARE(QDir(temporary.path()).entryList({"peltra-help-*"}, QDir::Dirs).size(), 1);

        for (const QStringList& command : {QStringList{"--context", "17"}, QStringList{"--index"}}) {
            QProcess second;
            second.setProcessEnvironment(environment);
            second.start(viewerProgram, QStringList{"--socket", name, "--file", helpFile} + command);
            QVERIFY(second.waitForFinished(15000));
            QCOMPARE(second.exitStatus(), QProcess::NormalExit);
            QCOMPARE(second.exitCode(), 0);
            QCOMPARE(first.state(), QProcess::Running);
        }

        // Ended from outside, it still leaves nothing behind.
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QVERIFY(QDir(temporary.path()).entryList({"peltra-help-*"}, QDir::Dirs).isEmpty());
        QVERIFY(!viewerListening(name));
    }

    void badCommandLine() {
        QProcess viewer;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        viewer.setProcessEnvironment(environment);
        viewer.start(viewerProgram, {"--file", helpFile, "--context", "seventeen"});
        QVERIFY(viewer.waitForFinished(15000));
        QCOMPARE(viewer.exitCode(), 2);
        QVERIFY(viewer.readAllStandardError().contains("not a context number"));
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
