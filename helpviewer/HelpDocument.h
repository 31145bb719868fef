#pragma once

#include <QObject>
#include <QUrl>

#include <memory>

class QHelpEngine;

// One help file, opened through QtHelp. The engine needs a collection of its own to register the
// file in; it lives in a folder of the user's cache, so nothing is ever written beside the help
// file, and is removed with the document. A viewer that was killed leaves its folder behind: the
// next one removes it.
class HelpDocument : public QObject {
    Q_OBJECT

public:
    // Opens the file; when it cannot be shown, isOpen() is false and errorText() says why, in one line.
    explicit HelpDocument(QString helpFile, QObject* parent = nullptr);
    ~HelpDocument() override;

    [[nodiscard]] QString helpFile() const { return file; }
    [[nodiscard]] QString errorText() const { return error; }
    [[nodiscard]] bool isOpen() const { return helpEngine != nullptr; }
    // Null until the file is open.
    [[nodiscard]] QHelpEngine* engine() const { return helpEngine.get(); }

    // The topic of a context number; empty when the help has none.
    [[nodiscard]] QUrl pageForContext(int context) const;
    // The contents page the help opens on.
    [[nodiscard]] QUrl contentsPage() const;

private:
    bool open();
    bool createCollectionFolder();

    QString file;
    QString error;
    QString namespaceName;
    QString collectionFolder;
    int collectionLock = -1; // held while the folder is in use
    std::unique_ptr<QHelpEngine> helpEngine;
};
