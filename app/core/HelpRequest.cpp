#include "app/core/HelpRequest.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString fileOption = QStringLiteral("file");
const QString contextOption = QStringLiteral("context");
const QString contentsOption = QStringLiteral("contents");
const QString indexOption = QStringLiteral("index");
const QString socketOption = QStringLiteral("socket");

QString kindName(HelpRequest::Kind kind) {
    switch (kind) {
    case HelpRequest::Kind::Index:
        return indexOption;
    case HelpRequest::Kind::Context:
        return contextOption;
    case HelpRequest::Kind::Contents:
        break;
    }
    return contentsOption;
}

} // namespace

QString HelpRequest::identifierFor(int context) {
    return QStringLiteral("context.%1").arg(context);
}

std::optional<HelpRequest> HelpRequest::fromArguments(const QStringList& arguments, const QString& defaultFile,
                                                      QString* error, QString* socketName) {
    QCommandLineParser parser;
    parser.addOptions({
        {fileOption, QStringLiteral("The help file."), QStringLiteral("file")},
        {contextOption, QStringLiteral("Shows the topic of a context number."), QStringLiteral("number")},
        {contentsOption, QStringLiteral("Shows the contents.")},
        {indexOption, QStringLiteral("Shows the keyword index.")},
        {socketOption, QStringLiteral("The running viewer's address."), QStringLiteral("name")},
    });
    const auto fail = [error](const QString& reason) -> std::optional<HelpRequest> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first()));
    const int commands =
        int(parser.isSet(contextOption)) + int(parser.isSet(contentsOption)) + int(parser.isSet(indexOption));
    if (commands > 1)
        return fail(QStringLiteral("give only one of --context, --contents and --index"));

    if (socketName)
        *socketName = parser.value(socketOption);
    HelpRequest request;
    const QString file = parser.isSet(fileOption) ? parser.value(fileOption) : defaultFile;
    if (file.isEmpty())
        return fail(QStringLiteral("no help file given"));
    // The running viewer that may take this request over has a working folder of its own.
    request.helpFile = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    if (parser.isSet(contextOption)) {
        bool number = false;
        request.context = parser.value(contextOption).toInt(&number);
        if (!number)
            return fail(QStringLiteral("not a context number: %1").arg(parser.value(contextOption)));
        request.kind = Kind::Context;
    } else if (parser.isSet(indexOption)) {
        request.kind = Kind::Index;
    }
    return request;
}

QStringList HelpRequest::toArguments() const {
    QStringList arguments{QStringLiteral("--") + fileOption, helpFile, QStringLiteral("--") + kindName(kind)};
    if (kind == Kind::Context)
        arguments << QString::number(context);
    return arguments;
}

QByteArray HelpRequest::toMessage() const {
    QJsonObject object{{fileOption, helpFile}, {QStringLiteral("show"), kindName(kind)}};
    if (kind == Kind::Context)
        object.insert(contextOption, context);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<HelpRequest> HelpRequest::fromMessage(const QByteArray& message) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(message.trimmed(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue file = object.value(fileOption);
    const QString show = object.value(QStringLiteral("show")).toString();
    if (!file.isString() || file.toString().isEmpty() || QFileInfo(file.toString()).isRelative())
        return std::nullopt;
    HelpRequest request;
    request.helpFile = file.toString();
    if (show == contentsOption) {
        request.kind = Kind::Contents;
    } else if (show == indexOption) {
        request.kind = Kind::Index;
    } else if (show == contextOption) {
        const QJsonValue context = object.value(contextOption);
        if (!context.isDouble() || context.toDouble() != double(context.toInt()))
            return std::nullopt;
        request.kind = Kind::Context;
        request.context = context.toInt();
    } else {
        return std::nullopt;
    }
    return request;
}
