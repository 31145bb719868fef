#include "helpviewer/HelpBrowser.h"

#include <QHelpEngineCore>

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenExternalLinks(false);
    setOpenLinks(true);
}

void HelpBrowser::setHelpEngine(QHelpEngineCore* helpEngine) {
    engine = helpEngine;
}

bool HelpBrowser::isHelpAddress(const QUrl& url) {
    return url.isValid() && url.scheme() == QLatin1String("qthelp");
}

QUrl HelpBrowser::resolved(const QUrl& name) const {
    return name.isRelative() ? source().resolved(name) : name;
}

QVariant HelpBrowser::loadResource(int /*type*/, const QUrl& name) {
    const QUrl url = resolved(name);
    if (!engine || !isHelpAddress(url))
        return {};
    const QByteArray data = engine->fileData(url);
    if (data.isEmpty())
        return {};
    return data;
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
    if (!isHelpAddress(resolved(name)))
        return;
    QTextBrowser::doSetSource(name, type);
}
