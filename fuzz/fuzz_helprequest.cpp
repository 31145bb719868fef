// The help viewer's requests: a line received on its socket and its command line. No crash, no
// undefined behaviour, and every request that is accepted travels both ways unchanged.
#include "app/core/HelpRequest.h"
#include "fuzz/FuzzCheck.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace {

const QString defaultHelpFile = QStringLiteral("/usr/share/peltra/PELTRA.HLP");

QString requestDetail(const HelpRequest& request) {
    return QStringLiteral("file %1, kind %2, context %3")
        .arg(visible(request.helpFile))
        .arg(int(request.kind))
        .arg(request.context);
}

// What a second viewer sends is read by the running one as the same request.
void checkMessageRoundTrip(const HelpRequest& request, const char* where) {
    const QByteArray message = request.toMessage();
    require(message.endsWith('\n') && message.count('\n') == 1, "a message is one line", requestDetail(request));
    const auto received = HelpRequest::fromMessage(message);
    require(received && *received == request, where, requestDetail(request) + u' ' + QString::fromUtf8(message));
}

// A request accepted on the socket names an absolute file and can go on as a command line.
void checkMessage(const QByteArray& bytes) {
    const auto request = HelpRequest::fromMessage(bytes);
    if (!request)
        return;
    require(!request->helpFile.isEmpty() && QFileInfo(request->helpFile).isAbsolute(),
            "a received request names an absolute file", requestDetail(*request));
    checkMessageRoundTrip(*request, "a received request is sent on unchanged");

    const auto relaunched = HelpRequest::fromArguments(
        QStringList{QStringLiteral("peltra-help")} + request->toArguments(), defaultHelpFile);
    require(relaunched.has_value(), "a received request makes a valid command line", requestDetail(*request));
    require(relaunched->kind == request->kind && relaunched->context == request->context &&
                relaunched->helpFile == QDir::cleanPath(request->helpFile),
            "a received request's command line asks for the same", requestDetail(*request));
}

// The command line, one argument per line of the input. A NUL ends an argument too: no argument
// of a real command line holds one.
void checkArguments(const QByteArray& bytes) {
    QStringList arguments{QStringLiteral("peltra-help")};
    for (const QByteArray& line : bytes.split('\n')) {
        for (const QByteArray& argument : line.split('\0'))
            arguments << QString::fromUtf8(argument);
    }
    QString error;
    QString socketName;
    const auto request = HelpRequest::fromArguments(arguments, defaultHelpFile, &error, &socketName);
    if (!request) {
        require(!error.isEmpty(), "a refused command line says why", visible(arguments.join(u'|')));
        return;
    }
    require(QFileInfo(request->helpFile).isAbsolute() && request->helpFile == QDir::cleanPath(request->helpFile),
            "a command line's file is absolute and clean", requestDetail(*request));
    const auto again =
        HelpRequest::fromArguments(QStringList{QStringLiteral("peltra-help")} + request->toArguments(), QString());
    require(again && *again == *request, "a command line survives toArguments", requestDetail(*request));
    checkMessageRoundTrip(*request, "a command line's request survives the socket");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkMessage(bytes);
    checkArguments(bytes);
    return 0;
}
