#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// One thing the program asks of the help viewer: a help file and what to show of it. It travels as
// the viewer's command line, and from a second viewer to the running one as one line of text.
struct HelpRequest {
    enum class Kind { Contents, Index, Context };

    QString helpFile; // absolute path
    Kind kind = Kind::Contents;
    int context = 0; // for Kind::Context

    // The keyword identifier that stands for a context number in the help file.
    static QString identifierFor(int context);

    // A command line, program name first: "--file F" and one of "--context N", "--contents",
    // "--index" (contents when none is given; the default file when no file is given), and
    // "--socket NAME", the running viewer's address, which goes to socketName. No value and a
    // reason for a bad line.
    static std::optional<HelpRequest> fromArguments(const QStringList& arguments, const QString& defaultFile,
                                                    QString* error = nullptr, QString* socketName = nullptr);
    [[nodiscard]] QStringList toArguments() const;

    [[nodiscard]] QByteArray toMessage() const;
    // No value for anything that is not a message of toMessage().
    static std::optional<HelpRequest> fromMessage(const QByteArray& message);

    friend bool operator==(const HelpRequest&, const HelpRequest&) = default;
};
