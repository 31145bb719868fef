#pragma once

#include <QTextBrowser>

class QHelpEngineCore;

// Shows the help pages. Pages, style sheets and pictures come from the help file alone: any other
// address, from the network or the local disk, loads nothing and is not followed.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    void setHelpEngine(QHelpEngineCore* engine);
    QVariant loadResource(int type, const QUrl& name) override;

    static bool isHelpAddress(const QUrl& url);

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    QUrl resolved(const QUrl& name) const;

    QHelpEngineCore* engine = nullptr;
};
