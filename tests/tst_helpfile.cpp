// The built help file PELTRA.HLP, opened with QtHelp's own engine: the topics the program asks for
// by context number, the contents, the keyword index and the pages themselves.

#include <QDir>
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

QString sourceText(const QString& page) {
    QFile file(sourceFolder.filePath(page));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString heading(const QString& html) {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("<h1>(.*?)</h1>")).match(html);
    return match.hasMatch() ? match.captured(1) : QString();
}

// Keyword name -> page, as the help project lists them.
QMultiMap<QString, QString> projectKeywords() {
    QFile project(sourceFolder.filePath(QStringLiteral("peltra.qhp")));
    QMultiMap<QString, QString> keywords;
    if (!project.open(QIODevice::ReadOnly))
        return keywords;
    QXmlStreamReader xml(&project);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("keyword"))
            keywords.insert(xml.attributes().value(QLatin1String("name")).toString(),
                            xml.attributes().value(QLatin1String("ref")).toString());
    return keywords;
}

void collectContents(const QHelpContentItem* item, QList<std::pair<QString, QUrl>>& entries) {
    entries.append({item->title(), item->url()});
    for (int row = 0; row < item->childCount(); ++row)
        collectContents(item->child(row), entries);
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
        QCOMPARE(namespaceName, QStringLiteral("org.example.peltra.help"));
        engine = std::make_unique<QHelpEngine>(collectionFolder.filePath(QStringLiteral("test.qhc")));
        engine->setReadOnly(false);
        engine->setUsesFilterEngine(true);
        QVERIFY(engine->setupData());
        QVERIFY2(engine->registerDocumentation(helpFile), qPrintable(engine->error()));
        QCOMPARE(engine->registeredDocumentations(), QStringList{namespaceName});
    }

    void cleanupTestCase() { engine.reset(); }

    void contextTopics_data() {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("explains");
        QTest::newRow("settings page 環境設定")
            << 11 << "settings-environment.html"
            << "環境設定" << QStringList{"画面のセンタリング(C)",  "ダブルクリックで終了(D)", "日付・時間の表示(T)",
                                         "復帰音の再生(R)",        "背景ファイルの使用(H)",   "メッセージ等の移動(M)",
                                         "最後のアクティブタブ(A)"};
        QTest::newRow("settings page 初期設定")
            << 12 << "settings-initial.html"
            << "初期設定"
            << QStringList{"復帰間隔",      "画面の配色",  "文字色(上段)", "文字色(下段)",   "ｶｳﾝﾄ(文字色)",
                           "ｶｳﾝﾄ(背景色)",  "背景色",      "画面のサイズ", "特大(1024×768)", "大(800×600)",
                           "標準(640×480)", "中(480×360)", "小(320×240)",  "5 分から 360 分"};
        QTest::newRow("settings page メッセージ等")
            << 13 << "settings-messages.html"
            << "メッセージ等"
            << QStringList{"上段", "下段", "メッセージ：フォント・スタイル", "カウント：フォント・スタイル",
                           "太字", "斜体"};
        QTest::newRow("event-date window") << 17 << "event-date.html"
                                           << "イベント日の設定"
                                           << QStringList{"了解",
                                                          "キャンセル",
                                                          "ﾍﾙﾌﾟ",
                                                          "本日より以降の日付を指定して下さい。",
                                                          "イベント日は変更されています。 設定しないで終了しますか？",
                                                          "イベント日を設定しました。"};
    }
    void contextTopics() {
        QFETCH(int, context);
        QFETCH(QString, page);
        QFETCH(QString, title);
        QFETCH(QStringList, explains);
        const QList<QHelpLink> links = engine->documentsForIdentifier(QStringLiteral("context.%1").arg(context));
        QCOMPARE(links.size(), 1);
        QCOMPARE(links.first().url, pageUrl(page));
        const QString text = pageText(links.first().url);
        QCOMPARE(heading(text), title);
        QVERIFY(text.contains(QStringLiteral("<title>%1</title>").arg(title)));
        for (const QString& words : explains)
            QVERIFY2(text.contains(words), qPrintable(words));
    }

    void otherContextNumbersHaveNoTopic_data() {
        QTest::addColumn<int>("context");
        for (int context : {0, 1, 3, 10, 14, 16, 18, 261})
            QTest::addRow("%d", context) << context;
    }
    void otherContextNumbersHaveNoTopic() {
        QFETCH(int, context);
        QVERIFY(engine->documentsForIdentifier(QStringLiteral("context.%1").arg(context)).isEmpty());
    }

    void everyPageIsInTheFile() {
        QList<QUrl> expected;
        for (const QString& page : sourcePages())
            expected << pageUrl(page);
        QList<QUrl> inFile = engine->files(namespaceName, QString(), QStringLiteral("html"));
        std::sort(inFile.begin(), inFile.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(inFile, expected);
        for (const QString& page : sourcePages())
            QCOMPARE(pageText(pageUrl(page)), sourceText(page));
        QVERIFY(!engine->fileData(pageUrl(QStringLiteral("peltra.css"))).isEmpty());
    }

    void contentsAreComplete() {
        QHelpContentModel* model = engine->contentModel();
        QTRY_VERIFY_WITH_TIMEOUT(!model->isCreatingContents() && model->rowCount() > 0, 10000);
        QCOMPARE(model->rowCount(), 1);
        const QHelpContentItem* root = model->contentItemAt(model->index(0, 0));
        QVERIFY(root);
        QCOMPARE(root->title(), QStringLiteral("ペルトラ ヘルプ"));
        QCOMPARE(fileName(root->url()), QStringLiteral("index.html"));

        QList<std::pair<QString, QUrl>> entries;
        collectContents(root, entries);
        QStringList listed;
        for (const auto& [title, url] : entries) {
            listed << fileName(url);
            // Each entry is named as its page is headed.
            QCOMPARE(title, heading(pageText(url)));
        }
        QStringList pages = sourcePages();
        std::sort(listed.begin(), listed.end());
        QCOMPARE(listed, pages); // every page once, and no entry without its page
    }

    void indexIsComplete() {
        QHelpIndexModel* model = engine->indexModel();
        QTRY_VERIFY_WITH_TIMEOUT(!model->isCreatingIndex() && model->rowCount() > 0, 10000);
        const QMultiMap<QString, QString> keywords = projectKeywords();
        QVERIFY(keywords.size() >= 40);
        QStringList inIndex = model->stringList();
        QStringList expected = keywords.uniqueKeys();
        std::sort(inIndex.begin(), inIndex.end());
        QCOMPARE(inIndex, expected);
        for (auto it = keywords.cbegin(); it != keywords.cend(); ++it) {
            const QList<QHelpLink> links = engine->documentsForKeyword(it.key());
            QCOMPARE(links.size(), 1);
            QCOMPARE(fileName(links.first().url), it.value());
            QVERIFY2(!engine->fileData(links.first().url).isEmpty(), qPrintable(it.key()));
        }
        // Every page can be found from the index.
        QStringList indexed = keywords.values();
        for (const QString& page : sourcePages())
            QVERIFY2(indexed.contains(page), qPrintable(page));
    }

    void keywords_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("page");
        QTest::newRow("first start") << "はじめて起動したとき"
                                     << "first-start.html";
        QTest::newRow("menu") << "メニュー"
                              << "menu.html";
        QTest::newRow("return") << "自動復帰"
                                << "minimize-return.html";
        QTest::newRow("chime") << "復帰音"
                               << "minimize-return.html";
        QTest::newRow("dragging") << "ドラッグ"
                                  << "moving-messages.html";
        QTest::newRow("exiting") << "終了"
                                 << "exiting.html";
        QTest::newRow("where settings are kept") << "設定ファイル"
                                                 << "settings-storage.html";
        QTest::newRow("event passed") << "イベント日が過ぎたとき"
                                      << "event-passed.html";
        QTest::newRow("about") << "バージョン情報"
                               << "about.html";
        QTest::newRow("F1") << "F1"
                            << "using-help.html";
    }
    void keywords() {
        QFETCH(QString, keyword);
        QFETCH(QString, page);
        const QList<QHelpLink> links = engine->documentsForKeyword(keyword);
        QCOMPARE(links.size(), 1);
        QCOMPARE(links.first().url, pageUrl(page));
    }

    void menuCommandsExplained_data() {
        QTest::addColumn<QString>("command");
        for (const char* command : {"ペルトラ の終了(X)", "各種設定(K)", "イベント日の設定(V)", "ﾄﾋﾟｯｸによる検索(H)",
                                    "目次(C)", "ﾊﾞｰｼﾞｮﾝ情報(A)", "Ctrl+K", "Ctrl+V", "F1"})
            QTest::newRow(command) << QString::fromUtf8(command);
    }
    void menuCommandsExplained() {
        QFETCH(QString, command);
        QVERIFY(pageText(pageUrl(QStringLiteral("menu.html"))).contains(command));
    }

    void pages_data() {
        QTest::addColumn<QString>("page");
        for (const QString& page : sourcePages())
            QTest::newRow(qPrintable(page)) << page;
    }
    void pages() {
        QFETCH(QString, page);
        const QString text = pageText(pageUrl(page));
        QVERIFY(text.contains(QLatin1String("<html lang=\"ja\">")));
        QVERIFY(text.contains(QLatin1String("<meta charset=\"utf-8\">")));
        QVERIFY(!heading(text).isEmpty());
        QVERIFY(text.contains(QStringLiteral("<title>%1</title>").arg(heading(text))));
        // Written in Japanese: plenty of hiragana.
        QVERIFY(text.count(QRegularExpression(QStringLiteral("[\\x{3040}-\\x{309F}]"))) > 50);
        // Every link and picture leads to a page of the help file; nothing comes from the network.
        const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
        for (auto it = reference.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(!target.contains(QLatin1String("://")), qPrintable(target));
            const QUrl resolved = pageUrl(page).resolved(QUrl(target));
            QVERIFY2(!engine->fileData(resolved).isEmpty(), qPrintable(target));
        }
    }
};

QTEST_MAIN(TestHelpFile)
#include "tst_helpfile.moc"
