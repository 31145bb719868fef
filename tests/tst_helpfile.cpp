// The built help file PELTRA.HLP, opened with QtHelp's own engine: the topics the program asks for
// by context number, the pages, the contents and the keyword index.

#include <QHelpContentItem>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

namespace {

const QString helpFile = QStringLiteral(PELTRA_HELP_FILE);
const QDir sourceFolder(QStringLiteral(PELTRA_HELP_SOURCE_DIR));

QString fileName(const QUrl& url) {
    return url.path().section(u'/', -1);
}

QStringList sourcePages() {
    return sourceFolder.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QString heading(const QString& html) {
    return QRegularExpression(QStringLiteral("<h1>(.*?)</h1>")).match(html).captured(1);
}

void collectContents(const QHelpContentItem* item, QStringList& pages, QStringList& titles) {
    pages << fileName(item->url());
    titles << item->title();
    for (int row = 0; row < item->childCount(); ++row)
        collectContents(item->child(row), pages, titles);
}

} // namespace

class TestHelpFile : public QObject {
    Q_OBJECT

    QTemporaryDir collectionFolder;
    std::unique_ptr<QHelpEngine> engine;
    QString namespaceName;

    [[nodiscard]] QString pageText(const QUrl& url) const { return QString::fromUtf8(engine->fileData(url)); }

    [[nodiscard]] QUrl pageUrl(const QString& page) const {
        return QUrl(QStringLiteral("qthelp://%1/peltra/%2").arg(namespaceName, page));
    }

private slots:
    void initTestCase() {
        QVERIFY2(QFileInfo(helpFile).isFile(), qPrintable(helpFile));
        QVERIFY(collectionFolder.isValid());
        namespaceName = QHelpEngineCore::namespaceName(helpFile);
        engine = std::make_unique<QHelpEngine>(collectionFolder.filePath(QStringLiteral("test.qhc")));
        engine->setReadOnly(false);
        engine->setUsesFilterEngine(true);
        QVERIFY(engine->setupData());
        QVERIFY2(engine->registerDocumentation(helpFile), qPrintable(engine->error()));
    }

    void cleanupTestCase() { engine.reset(); }

    void contextTopics_data() {
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
        for (int context : {0, 10, 14, 18})
            QTest::addRow("%d has none", context) << context << QString() << QString();
    }
    void contextTopics() {
        QFETCH(int, context);
        QFETCH(QString, page);
        QFETCH(QString, title);
        const QList<QHelpLink> links = engine->documentsForIdentifier(QStringLiteral("context.%1").arg(context));
        QCOMPARE(links.size(), page.isEmpty() ? 0 : 1);
        if (page.isEmpty())
            return;
        QCOMPARE(links.first().url, pageUrl(page));
        QCOMPARE(heading(pageText(links.first().url)), title);
    }

    void pagesAreThoseWrittenAndStayInside() {
        QList<QUrl> inFile = engine->files(namespaceName, QString(), QStringLiteral("html"));
        QList<QUrl> expected;
        for (const QString& page : sourcePages())
            expected << pageUrl(page);
        std::sort(inFile.begin(), inFile.end());
        QCOMPARE(inFile, expected);
        const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
        for (const QString& page : sourcePages()) {
            QFile source(sourceFolder.filePath(page));
            QVERIFY(source.open(QIODevice::ReadOnly));
            const QString text = pageText(pageUrl(page));
            QCOMPARE(text, QString::fromUtf8(source.readAll()));
            // Every link, picture and style sheet is in the help file; nothing comes from the network.
            for (auto it = reference.globalMatch(text); it.hasNext();) {
                const QString target = it.next().captured(1);
                QVERIFY2(!target.contains(QLatin1String("://")), qPrintable(target));
                QVERIFY2(!engine->fileData(pageUrl(page).resolved(QUrl(target))).isEmpty(), qPrintable(target));
            }
        }
    }

    void contentsAreComplete() {
        QHelpContentModel* model = engine->contentModel();
        QTRY_VERIFY_WITH_TIMEOUT(!model->isCreatingContents() && model->rowCount() > 0, 10000);
        QCOMPARE(model->rowCount(), 1);
        const QHelpContentItem* root = model->contentItemAt(model->index(0, 0));
        QVERIFY(root);
        QCOMPARE(fileName(root->url()), QStringLiteral("index.html"));
        QStringList pages;
        QStringList titles;
        collectContents(root, pages, titles);
        for (int i = 0; i < pages.size(); ++i) // each entry named as its page is headed
            QCOMPARE(titles[i], heading(pageText(pageUrl(pages[i]))));
        pages.sort();
        QCOMPARE(pages, sourcePages()); // every page once, and no entry without its page
    }

    void indexIsComplete() {
        QHelpIndexModel* model = engine->indexModel();
        QTRY_VERIFY_WITH_TIMEOUT(!model->isCreatingIndex() && model->rowCount() > 0, 10000);
        // Keyword -> page, as the help project lists them.
        QFile project(sourceFolder.filePath(QStringLiteral("peltra.qhp")));
        QVERIFY(project.open(QIODevice::ReadOnly));
        QMultiMap<QString, QString> keywords;
        for (QXmlStreamReader xml(&project); !xml.atEnd();)
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("keyword"))
                keywords.insert(xml.attributes().value(QLatin1String("name")).toString(),
                                xml.attributes().value(QLatin1String("ref")).toString());
        QVERIFY(keywords.size() >= 40);
        QStringList inIndex = model->stringList();
        inIndex.sort();
        QCOMPARE(inIndex, keywords.uniqueKeys());
        for (auto it = keywords.cbegin(); it != keywords.cend(); ++it) {
            const QList<QHelpLink> links = engine->documentsForKeyword(it.key());
            QCOMPARE(links.size(), 1);
            QCOMPARE(links.first().url, pageUrl(it.value()));
        }
        for (const QString& page : sourcePages()) // every page can be found from the index
            QVERIFY2(keywords.values().contains(page), qPrintable(page));
    }
};

QTEST_MAIN(TestHelpFile)
#include "tst_helpfile.moc"
