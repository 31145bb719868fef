// The built help file PELTRA.HLP in QtHelp's engine: all pages, nothing from outside, each page reached.
#include <QtHelp>
#include <QtTest>

class TestHelpFile : public QObject {
    Q_OBJECT

    const QDir sources{QStringLiteral(PELTRA_HELP_SOURCE_DIR)};
    const QStringList pages = sources.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    QTemporaryDir collection;
    QHelpEngine* engine = nullptr;

private slots:
    void initTestCase() {
        engine = new QHelpEngine(collection.filePath(QStringLiteral("test.qhc")), this);
        engine->setReadOnly(false);
        QVERIFY(engine->setupData() && engine->registerDocumentation(QStringLiteral(PELTRA_HELP_FILE)));
    }

    void everyPageIsThereAndStaysInside() {
        static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
        QStringList inFile;
        for (const QUrl& url : engine->files(QHelpEngineCore::namespaceName(PELTRA_HELP_FILE), QString(), "html")) {
            inFile << url.fileName();
            // Every link, picture and style sheet is in the help file; nothing comes from the network.
            for (auto it = reference.globalMatch(QString::fromUtf8(engine->fileData(url))); it.hasNext();) {
                const QString target = it.next().captured(1);
                QVERIFY2(!target.contains(QLatin1String("://")), qPrintable(target));
                QVERIFY2(!engine->fileData(url.resolved(QUrl(target))).isEmpty(), qPrintable(target));
            }
        }
        QCOMPARE(QSet<QString>(inFile.cbegin(), inFile.cend()), QSet<QString>(pages.cbegin(), pages.cend()));
    }

    void contentsAndIndexEachReachEveryPage() {
        QHelpContentModel* contents = engine->contentModel();
        QTRY_VERIFY_WITH_TIMEOUT(!contents->isCreatingContents() && contents->rowCount() == 1, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!engine->indexModel()->isCreatingIndex() && engine->indexModel()->rowCount(), 10000);
        QStringList reached, found;
        for (QList<const QHelpContentItem*> open{contents->contentItemAt(contents->index(0, 0))}; !open.isEmpty();) {
            const QHelpContentItem* item = open.takeLast();
            reached << item->url().fileName();
            for (int row = 0; row < item->childCount(); ++row)
                open << item->child(row);
        }
        for (const QString& keyword : engine->indexModel()->stringList())
            for (const QHelpLink& link : engine->documentsForKeyword(keyword))
                found << link.url.fileName();
        reached.sort();
        QCOMPARE(reached, pages); // each once
        QCOMPARE(QSet<QString>(found.cbegin(), found.cend()), QSet<QString>(pages.cbegin(), pages.cend()));
    }
};

QTEST_MAIN(TestHelpFile)
#include "tst_helpfile.moc"
