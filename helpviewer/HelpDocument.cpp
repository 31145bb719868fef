#include "helpviewer/HelpDocument.h"

#include "helpviewer/HelpRequest.h"

#include <QFileInfo>
#include <QHelpEngine>
#include <QHelpContentModel>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QThread>

HelpDocument::HelpDocument(const QString& helpFile, QObject* parent)
    : QObject(parent), file(helpFile), collectionFolder(QDir::tempPath() + QStringLiteral("/peltra-help-XXXXXX")) {
    open();
}

HelpDocument::~HelpDocument() {
    // The engine builds its contents and index on threads of its own that read the engine's
    // collection as they go; it must not go away under them.
    if (helpEngine)
        while (helpEngine->contentModel()->isCreatingContents() || helpEngine->indexModel()->isCreatingIndex())
            QThread::msleep(2);
}

bool HelpDocument::open() {
    const QFileInfo info(file);
    if (!info.exists()) {
        error = QStringLiteral("ヘルプファイル「%1」が見つかりません。").arg(file);
        return false;
    }
    error = QStringLiteral("ヘルプファイル「%1」を読み込めません。").arg(file);
    // An empty file would open as an empty database; a folder or a device is no help file at all.
    if (!info.isFile() || info.size() == 0 || !info.isReadable() || !collectionFolder.isValid())
        return false;
    const QString name = QHelpEngineCore::namespaceName(file);
    if (name.isEmpty())
        return false;

    auto engine = std::make_unique<QHelpEngine>(collectionFolder.filePath(QStringLiteral("peltra.qhc")));
    engine->setReadOnly(false); // the collection is ours to create
    engine->setUsesFilterEngine(true);
    if (!engine->setupData() || !engine->registerDocumentation(file))
        return false;
    helpEngine = std::move(engine);
    namespaceName = name;
    error.clear();
    return true;
}

QUrl HelpDocument::pageForContext(int context) const {
    if (!helpEngine)
        return {};
    const QList<QHelpLink> links = helpEngine->documentsForIdentifier(HelpRequest::identifierFor(context));
    return links.isEmpty() ? QUrl() : links.first().url;
}

QUrl HelpDocument::contentsPage() const {
    if (!helpEngine)
        return {};
    const QList<QUrl> pages = helpEngine->files(namespaceName, QString(), QStringLiteral("html"));
    for (const QUrl& page : pages)
        if (page.path().endsWith(QLatin1String("/index.html")))
            return page;
    return pages.isEmpty() ? QUrl() : pages.first();
}
