#pragma once

#include <QTextBrowser>

class QHelpEngineCore;

// Shows the help pages. Pages, style sheets and pictures come from the help file alone: any other
// address, from the network or the local disk, loads nothing and is not followed. A help file is
// not trusted either: pages too large or too deeply nested for the text browser, which would
// freeze or crash it, are refused with a notice.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    void setHelpEngine(QHelpEngineCore* engine);
    QVariant loadResource(int type, const QUrl& name) override;

    static bool isHelpAddress(const QUrl& url);

    // The help's own pages are a few KB, nested a few levels, one table deep.
    static constexpr qsizetype maximumResourceSize = qsizetype(4) * 1024 * 1024;
    static constexpr int maximumNesting = 32;
    static constexpr int maximumTableNesting = 4;
    // The notice for a page the browser must not be given, in one line; empty when it may show it.
    static QString refusalFor(const QUrl& page, const QByteArray& html);

signals:
    // A page was not shown; the notice says why.
    void pageRefused(const QString& notice);

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    [[nodiscard]] QUrl resolved(const QUrl& name) const;
    [[nodiscard]] QByteArray fileData(const QUrl& url) const;

    QHelpEngineCore* engine = nullptr;
};
