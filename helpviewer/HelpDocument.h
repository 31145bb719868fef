#pragma once

#include <QObject>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

class QHelpEngine;

// One help file, opened through QtHelp. The engine needs a collection of its own to register the
// file in; it lives in a private temporary folder, so nothing is ever written beside the help file.
class HelpDocument : public QObject {
    Q_OBJECT

public:
    // Opens the file; when it cannot be shown, isOpen() is false and errorText() says why, in one line.
    explicit HelpDocument(const QString& helpFile, QObject* parent = nullptr);
    ~HelpDocument() override;

    QString helpFile() const { return file; }
    QString errorText() const { return error; }
    bool isOpen() const { return helpEngine != nullptr; }
    // Null until the file is open.
    QHelpEngine* engine() const { return helpEngine.get(); }

    // The topic of a context number; empty when the help has none.
    QUrl pageForContext(int context) const;
    // The contents page the help opens on.
    QUrl contentsPage() const;

private:
    bool open();

    QString file;
    QString error;
    QString namespaceName;
    QTemporaryDir collectionFolder;
    std::unique_ptr<QHelpEngine> helpEngine; // after the folder: gone before it
};
