#include "helpviewer/HelpPane.h"

#include "helpviewer/HelpBrowser.h"
#include "helpviewer/HelpDocument.h"

#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

HelpPane::HelpPane(const QString& helpFile, QWidget* parent) : QWidget(parent) {
    // Made first, so that the engine goes before the widgets that show its models.
    document = new HelpDocument(helpFile, this);

    errorLine = new QLabel(this);
    errorLine->setObjectName(QStringLiteral("errorLine"));
    errorLine->setTextFormat(Qt::PlainText);
    errorLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    errorLine->setMargin(6);
    errorLine->hide();

    browser = new HelpBrowser(this);
    browser->setObjectName(QStringLiteral("browser"));
    connect(browser, &HelpBrowser::pageRefused, this, &HelpPane::showError);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(tabs);
    splitter->addWidget(browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 540});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(errorLine);
    layout->addWidget(splitter, 1);

    if (document->isOpen()) {
        buildNavigation();
    } else {
        tabs->setEnabled(false);
        showError(document->errorText());
    }
}

void HelpPane::buildNavigation() {
    QHelpEngine* engine = document->engine();
    browser->setHelpEngine(engine);

    contents = engine->contentWidget();
    contents->setObjectName(QStringLiteral("contents"));
    contents->setHeaderHidden(true);
    tabs->addTab(contents, QStringLiteral("目次"));
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpPane::showPage);
    connect(engine->contentModel(), &QHelpContentModel::contentsCreated, this, [this] {
        contents->expandAll();
        selectInContents(browser->source());
    });

    auto* indexPage = new QWidget(tabs);
    keyword = new QLineEdit(indexPage);
    keyword->setObjectName(QStringLiteral("keyword"));
    keyword->setPlaceholderText(QStringLiteral("キーワードを入力"));
    index = engine->indexWidget();
    index->setObjectName(QStringLiteral("index"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(keyword);
    indexLayout->addWidget(index, 1);
    tabs->addTab(indexPage, QStringLiteral("キーワード"));

    connect(keyword, &QLineEdit::textChanged, index, [this](const QString& text) { index->filterIndices(text); });
    connect(keyword, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    // The index is built in the background; a keyword typed before it is ready applies afterwards.
    connect(engine->indexModel(), &QHelpIndexModel::indexCreated, this,
            [this] { index->filterIndices(keyword->text()); });
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { showPage(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& links, const QString&) {
        if (!links.isEmpty())
            showPage(links.first().url);
    });
    connect(browser, &QTextBrowser::sourceChanged, this, &HelpPane::selectInContents);
}

QString HelpPane::helpFile() const {
    return document->helpFile();
}

bool HelpPane::hasFile() const {
    return document->isOpen();
}

void HelpPane::showRequest(const HelpRequest& request) {
    if (!document->isOpen())
        return;
    errorLine->hide();
    switch (request.kind) {
    case HelpRequest::Kind::Contents:
        showContents();
        break;
    case HelpRequest::Kind::Index:
        showIndex();
        break;
    case HelpRequest::Kind::Context:
        showContext(request.context);
        break;
    }
}

void HelpPane::showContents() {
    tabs->setCurrentIndex(contentsTab);
    showPage(document->contentsPage());
    contents->setFocus();
}

void HelpPane::showIndex() {
    tabs->setCurrentIndex(indexTab);
    if (browser->source().isEmpty())
        showPage(document->contentsPage());
    keyword->setFocus();
    keyword->selectAll();
}

void HelpPane::showContext(int context) {
    const QUrl page = document->pageForContext(context);
    if (page.isEmpty()) {
        showContents();
        showError(QStringLiteral("トピック番号 %1 はこのヘルプファイルにありません。").arg(context));
        return;
    }
    tabs->setCurrentIndex(contentsTab);
    showPage(page);
}

void HelpPane::showPage(const QUrl& page) {
    if (page.isValid())
        browser->setSource(page);
}

void HelpPane::showError(const QString& text) {
    errorLine->setText(text);
    errorLine->show();
}

void HelpPane::selectInContents(const QUrl& page) {
    if (!contents || page.isEmpty())
        return;
    QUrl withoutAnchor = page;
    withoutAnchor.setFragment(QString());
    const QModelIndex item = contents->indexOf(withoutAnchor);
    if (item.isValid())
        contents->setCurrentIndex(item);
}
