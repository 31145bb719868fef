#pragma once

#include "app/core/HelpRequest.h"

#include <QWidget>

class HelpBrowser;
class HelpDocument;
class QHelpContentWidget;
class QHelpIndexWidget;
class QLabel;
class QLineEdit;
class QTabWidget;

// What the viewer shows of one help file: the contents and the keyword index beside the page, or,
// when the file cannot be shown, one line that says so. A request for another file gets a new pane.
class HelpPane : public QWidget {
    Q_OBJECT

public:
    explicit HelpPane(const QString& helpFile, QWidget* parent = nullptr);

    void showRequest(const HelpRequest& request);

    [[nodiscard]] QString helpFile() const;
    [[nodiscard]] bool hasFile() const;

    HelpDocument* document = nullptr;
    QLabel* errorLine = nullptr;
    QTabWidget* tabs = nullptr;
    QHelpContentWidget* contents = nullptr; // tab 0
    QLineEdit* keyword = nullptr;           // tab 1, above the index
    QHelpIndexWidget* index = nullptr;
    HelpBrowser* browser = nullptr;

    static constexpr int contentsTab = 0;
    static constexpr int indexTab = 1;

private:
    void buildNavigation();
    void showContents();
    void showIndex();
    void showContext(int context);
    void showPage(const QUrl& page);
    void showError(const QString& text);
    void selectInContents(const QUrl& page);
};
