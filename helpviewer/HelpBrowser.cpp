#include "helpviewer/HelpBrowser.h"

#include <QHelpEngineCore>

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool isNameCharacter(char character) {
    return std::isalnum(static_cast<unsigned char>(character)) || character == '-' || character == ':';
}

// Elements that never hold others.
bool isVoid(std::string_view name) {
    static constexpr std::array<std::string_view, 14> names{"area",  "base", "br",   "col",   "embed",  "hr",    "img",
                                                            "input", "link", "meta", "param", "source", "track", "wbr"};
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements whose end tag may be left out: the next one of the kind ends the one before.
bool endsItsOwnKind(std::string_view name) {
    static constexpr std::array<std::string_view, 8> names{"dd", "dt", "li", "option", "p", "td", "th", "tr"};
    return std::find(names.begin(), names.end(), name) != names.end();
}

// How deep elements, and tables, nest in a page: a forgiving scan, in one pass and without
// recursion, that stops as soon as a limit is passed. Unclosed elements count as nested, as the
// text browser takes them.
bool nestsTooDeeply(const QByteArray& html, int maximumNesting, int maximumTableNesting) {
    std::vector<std::string> open;
    int tables = 0;
    const qsizetype size = html.size();
    qsizetype at = 0;
    while ((at = html.indexOf('<', at)) >= 0) {
        ++at;
        if (at >= size)
            break;
        if (html[at] == '!') { // a comment or the document type
            const bool comment = html.mid(at, 3) == "!--";
            const qsizetype end = comment ? html.indexOf("-->", at) : html.indexOf('>', at);
            if (end < 0)
                break;
            at = end;
            continue;
        }
        const bool closing = html[at] == '/';
        if (closing)
            ++at;
        std::string name;
        while (at < size && isNameCharacter(html[at]))
            name += char(std::tolower(static_cast<unsigned char>(html[at++])));
        const qsizetype tagEnd = html.indexOf('>', at);
        if (name.empty() || tagEnd < 0)
            continue;
        if (closing) {
            const auto found = std::find(open.rbegin(), open.rend(), name);
            if (found != open.rend()) {
                const auto first = found.base() - 1;
                tables -= int(std::count(first, open.end(), std::string("table")));
                open.erase(first, open.end());
            }
            at = tagEnd;
            continue;
        }
        const bool selfClosing = html[tagEnd - 1] == '/';
        if (name == "script" || name == "style") { // their text is no markup
            const qsizetype end = html.indexOf("</" + QByteArray::fromStdString(name), tagEnd);
            at = end < 0 ? size : end;
            continue;
        }
        at = tagEnd;
        if (isVoid(name) || selfClosing)
            continue;
        if (endsItsOwnKind(name) && !open.empty() && open.back() == name)
            open.pop_back();
        open.push_back(name);
        if (name == "table")
            ++tables;
        if (int(open.size()) > maximumNesting || tables > maximumTableNesting)
            return true;
    }
    return false;
}

} // namespace

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

QByteArray HelpBrowser::fileData(const QUrl& url) const {
    if (!engine || !isHelpAddress(url))
        return {};
    // The engine has no way to ask a file's size: it unpacks the whole of it. What is too large
    // goes at once, before the text browser builds a document many times its size.
    QByteArray data = engine->fileData(url);
    if (data.size() > maximumResourceSize)
        return {};
    return data;
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    const QUrl url = resolved(name);
    const QByteArray data = fileData(url);
    if (data.isEmpty() || (type == QTextDocument::HtmlResource && !refusalFor(url, data).isEmpty()))
        return {};
    return data;
}

QString HelpBrowser::refusalFor(const QUrl& page, const QByteArray& html) {
    const QString name = page.fileName();
    if (html.size() > maximumResourceSize)
        return QStringLiteral("ヘルプのページ「%1」は大きすぎるため表示できません。").arg(name);
    if (nestsTooDeeply(html, maximumNesting, maximumTableNesting))
        return QStringLiteral("ヘルプのページ「%1」は入れ子が深すぎるため表示できません。").arg(name);
    return {};
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
    const QUrl url = resolved(name);
    if (!isHelpAddress(url))
        return;
    if (type == QTextDocument::HtmlResource || type == QTextDocument::UnknownResource) {
        QUrl page = url;
        page.setFragment(QString());
        QByteArray html = engine ? engine->fileData(page) : QByteArray();
        if (const QString notice = refusalFor(page, html); !notice.isEmpty()) {
            html.clear();
            emit pageRefused(notice);
            return;
        }
    }
    QTextBrowser::doSetSource(name, type);
}
