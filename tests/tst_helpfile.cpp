// The built help file PELTRA.HLP, opened with QtHelp's own engine: every page as written, with
// nothing from outside; the contents and the keyword index each reach every page.
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
const QDir sourceFolder(QStringLiteral(PELTRA_HELP_SOURCE_DIR));

QStringList sourcePages() {
    return sourceFolder.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}
} // namespace

class TestHelpFile : public QObject {
    Q_OBJECT

    QTemporaryDir collectionFolder;
    std::unique_ptr<QHelpEngine> engine;

    [[nodiscard]] QUrl pageUrl(const QString& page) const {
        return QUrl(QStringLiteral("qthelp://%1/peltra/%2")
                        .arg(QHelpEngineCore::namespaceName(QStringLiteral(PELTRA_HELP_FILE)), page));
    }
    [[nodiscard]] QString heading(const QString& page) const {
        static const QRegularExpression h1(QStringLiteral("<h1>(.*?)</h1>"));
        return h1.match(QString::fromUtf8(engine->fileData(pageUrl(page)))).captured(1);
    }

    // Every entry named as its page is headed; the pages reached, in tree order.
    void collectContents(const QHelpContentItem* item, QStringList& pages) {
        const QString page = item->url().fileName();
        QCOMPARE(item->title(), heading(page));
        pages << page;
        for (int row = 0; row < item->childCount(); ++row)
            collectContents(item->child(row), pages);
    }

private slots:
    void initTestCase() {
        engine = std::make_unique<QHelpEngine>(collectionFolder.filePath(QStringLiteral("test.qhc")));
        engine->setReadOnly(false);
        QVERIFY(engine->setupData());
        QVERIFY2(engine->registerDocumentation(QStringLiteral(PELTRA_HELP_FILE)), qPrintable(engine->error()));
    }

    void cleanupTestCase() { engine.reset(); }

    void pagesAreThoseWrittenAndStayInside() {
        const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
        QStringList inFile;
        for (const QUrl& url : engine->files(QHelpEngineCore::namespaceName(QStringLiteral(PELTRA_HELP_FILE)),
                                             QString(), QStringLiteral("html")))
            inFile << url.fileName();
        inFile.sort();
        QCOMPARE(inFile, sourcePages());
        for (const QString& page : sourcePages()) {
            QFile source(sourceFolder.filePath(page));
            QVERIFY(source.open(QIODevice::ReadOnly));
            const QByteArray text = engine->fileData(pageUrl(page));
            QCOMPARE(text, source.readAll());
            // Every link, picture and style sheet is in the help file; nothing comes from the network.
            for (auto it = reference.globalMatch(QString::fromUtf8(text)); it.hasNext();) {
                const QString target = it.next().captured(1);
                QVERIFY2(!target.contains(QLatin1String("://")), qPrintable(target));
                QVERIFY2(!engine->fileData(pageUrl(page).resolved(QUrl(target))).isEmpty(), qPrintable(target));
            }
        }
    }

    void contentsReachEveryPageOnce() {
        QHelpContentModel* model = engine->contentModel();
        QTRY_VERIFY_WITH_TIMEOUT(!model->isCreatingContents() && model->rowCount() > 0, 10000);
        QCOMPARE(model->rowCount(), 1);
        QStringList pages;
        collectContents(model->contentItemAt(model->index(0, 0)), pages);
        QCOMPARE(pages.first(), QStringLiteral("index.html"));
        pages.sort();
        QCOMPARE(pages, sourcePages());
    }

    void indexListsEveryKeywordOfTheProject() {
        QHelpIndexModel* model = engine->indexModel();
        QTRY_VERIFY_WITH_TIMEOUT(!model->isCreatingIndex() && model->rowCount() > 0, 10000);
        QFile project(sourceFolder.filePath(QStringLiteral("peltra.qhp")));
        QVERIFY(project.open(QIODevice::ReadOnly));
        QMultiMap<QString, QString> keywords; // keyword -> page
        for (QXmlStreamReader xml(&project); !xml.atEnd();)
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("keyword"))
                keywords.insert(xml.attributes().value(QLatin1String("name")).toString(),
                                xml.attributes().value(QLatin1String("ref")).toString());
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
