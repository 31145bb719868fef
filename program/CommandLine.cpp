#include "program/CommandLine.h"

#include "app/core/AppSettings.h"
#include "app/core/CountdownName.h"
#include "app/core/DateTimeText.h"
#include "app/core/ProductInfo.h"
#include "app/settings/SettingsStore.h"
#include "app/system/Autostart.h"
#include "program/CommandLineLanguage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace {

// A message of the command line in the user's language.
QString say(const char* source) {
    return CommandLineLanguage::text(source);
}

void print(std::FILE* stream, const QString& line) {
    const QByteArray text = (line + u'\n').toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stream);
    std::fflush(stream);
}

int reportUsageError(const QString& text) {
    print(stderr,
          QStringLiteral("peltra: ") + say(QT_TRANSLATE_NOOP("CommandLine", "%1 (see peltra --help)")).arg(text));
    return CommandLine::usageError;
}

int reportFailure(const QString& text) {
    print(stderr, QStringLiteral("peltra: ") + text);
    return CommandLine::failed;
}

const char* const helpText = QT_TRANSLATE_NOOP(
    "CommandLine",
    "Usage: peltra [-p NAME] [OPTION]\n"
    "Counts down the days to an event. Without an option it opens its window.\n"
    "\n"
    "  -p, --profile NAME   the countdown named NAME instead of the default one: its own\n"
    "                       settings, window and autostart entry (with the options below too)\n"
    "  --days-left          print the days left to the stored event date: 1 for tomorrow,\n"
    "                       0 on the day, negative once it has passed\n"
    "  --event-date         print the stored event date (yyyy/MM/dd)\n"
    "  --list               print every countdown that has an event date, fewest days first:\n"
    "                       days left, tab, event date, tab, name (empty for the default)\n"
    "  --autostart on|off   start peltra at login, or no longer\n"
    "  -h, --help           print this help\n"
    "  -v, --version        print the version\n"
    "\n"
    "Settings: $XDG_CONFIG_HOME/PELTRA/PELTRA.ini (~/.config/PELTRA/PELTRA.ini), a named countdown's in\n"
    "countdowns/NAME.ini beside it; the options only read them.\n"
    "Exit status: 0 done, 1 no event date stored or the autostart entry not changed, 2 a wrong option.");

// The stored event date of the countdown, or the reason there is none that a user can act on.
std::optional<QDate> storedEventDate(const QString& countdownName, QString& problem) {
    const QString stored = SettingsStore(countdownName).Get(SettingsKeys::TheDate);
    const std::optional<QDate> date = parseStoredDate(stored);
    if (!date) {
        problem = stored.isEmpty()
                      ? say(QT_TRANSLATE_NOOP("CommandLine", "no event date is stored; start peltra to choose one"))
                      : say(QT_TRANSLATE_NOOP("CommandLine",
                                              "the stored event date \"%1\" is not a date; start peltra to choose one"))
                            .arg(stored);
    }
    return date;
}

int printDaysLeft(const QString& countdownName) {
    QString problem;
    const std::optional<QDate> eventDate = storedEventDate(countdownName, problem);
    if (!eventDate)
        return reportFailure(problem);
    print(stdout, QString::number(DaysLeft(QDate::currentDate(), *eventDate)));
    return CommandLine::succeeded;
}

int printEventDate(const QString& countdownName) {
    QString problem;
    const std::optional<QDate> eventDate = storedEventDate(countdownName, problem);
    if (!eventDate)
        return reportFailure(problem);
    print(stdout, storedDateText(*eventDate));
    return CommandLine::succeeded;
}

// Why the autostart entry was not changed, in the command line's language, with the system's reason
// where it gave one.
QString autostartProblem(const Autostart::Change& change) {
    QString text;
    switch (change.outcome) {
    case Autostart::Change::Foreign:
        return say(QT_TRANSLATE_NOOP("CommandLine", "%1 is not a file that peltra made, so it is left as it is"))
            .arg(change.path);
    case Autostart::Change::NotRemoved:
        text = say(QT_TRANSLATE_NOOP("CommandLine", "cannot remove %1")).arg(change.path);
        break;
    case Autostart::Change::FolderNotMade:
        return say(QT_TRANSLATE_NOOP("CommandLine", "cannot make the folder %1")).arg(change.path);
    case Autostart::Change::NotWritten:
    case Autostart::Change::Done:
        text = say(QT_TRANSLATE_NOOP("CommandLine", "cannot write %1")).arg(change.path);
        break;
    }
    return change.reason.isEmpty() ? text : text + QStringLiteral(": ") + change.reason;
}

// The parser's own complaint in the user's language. Its texts are Qt's, which translates them only
// through an application object; there is none yet, so the cases are told apart here.
QString parseProblem(const QCommandLineParser& parser) {
    if (!parser.unknownOptionNames().isEmpty())
        return say(QT_TRANSLATE_NOOP("CommandLine", "Unknown option '%1'"))
            .arg(parser.unknownOptionNames().constFirst());
    static const QRegularExpression valueProblem(QStringLiteral("^(Missing|Unexpected) value after '(.*)'\\.?$"));
    const QRegularExpressionMatch match = valueProblem.match(parser.errorText());
    if (!match.hasMatch()) {
        QString error = parser.errorText();
        if (error.endsWith(u'.'))
            error.chop(1);
        return error;
    }
    return (match.captured(1) == QLatin1String("Missing")
                ? say(QT_TRANSLATE_NOOP("CommandLine", "Missing value after '%1'"))
                : say(QT_TRANSLATE_NOOP("CommandLine", "Unexpected value after '%1'")))
        .arg(match.captured(2));
}

// Every countdown with a usable event date: days left, the date and the name, fewest days first (the
// default countdown first among equals, then by name).
int printList() {
    struct Row {
        qint64 daysLeft;
        QDate eventDate;
        QString name;
    };
    QList<Row> rows;
    const QDate today = QDate::currentDate();
    for (const QString& name : QStringList{QString()} + SettingsStore::namedCountdowns()) {
        if (const auto date = parseStoredDate(SettingsStore(name).Get(SettingsKeys::TheDate)))
            rows.append({DaysLeft(today, *date), *date, name});
    }
    std::sort(rows.begin(), rows.end(),
              [](const Row& a, const Row& b) { return std::tie(a.daysLeft, a.name) < std::tie(b.daysLeft, b.name); });
    for (const Row& row : rows)
        print(stdout, QStringLiteral("%1\t%2\t%3").arg(row.daysLeft).arg(storedDateText(row.eventDate), row.name));
    return CommandLine::succeeded;
}

// Why a name given with --profile is refused.
QString nameProblem(CountdownName::Problem problem) {
    switch (problem) {
    case CountdownName::Problem::Empty:
        return say(QT_TRANSLATE_NOOP("CommandLine", "a countdown's name must not be empty"));
    case CountdownName::Problem::TooLong:
        return say(QT_TRANSLATE_NOOP("CommandLine", "a countdown's name has at most 64 characters"));
    case CountdownName::Problem::FileNameTooLong:
        return say(QT_TRANSLATE_NOOP("CommandLine", "this countdown's name is too long for a file name"));
    case CountdownName::Problem::LeadingDot:
        return say(QT_TRANSLATE_NOOP("CommandLine", "a countdown's name must not begin with \".\""));
    case CountdownName::Problem::Separator:
        return say(QT_TRANSLATE_NOOP("CommandLine", "a countdown's name must not hold \"/\" or \"\\\""));
    case CountdownName::Problem::Control:
    case CountdownName::Problem::NotText:
        break;
    }
    return say(QT_TRANSLATE_NOOP("CommandLine", "a countdown's name must not hold control characters"));
}

int setAutostart(bool on, const QString& programName, const QString& countdownName) {
    // The entry names the running program, which Qt finds only through an application object;
    // this one is gone before the window's application starts.
    QByteArray programArgument = programName.toLocal8Bit();
    int argumentCount = 1;
    char* argumentValues[] = {programArgument.data(), nullptr};
    const QCoreApplication application(argumentCount, argumentValues);
    if (const Autostart::Change change = Autostart::setEnabled(on, countdownName); !change)
        return reportFailure(autostartProblem(change));
    const QString path = QDir::toNativeSeparators(Autostart::entryPath(countdownName));
    print(stdout, on ? say(QT_TRANSLATE_NOOP("CommandLine", "peltra starts at login: %1 written")).arg(path)
                     : say(QT_TRANSLATE_NOOP("CommandLine", "peltra no longer starts at login: %1 removed")).arg(path));
    return CommandLine::succeeded;
}

// Qt's own options for graphical programs, which the application object takes from the command
// line: a session manager restores the program with -session, a user may pick -platform or -style.
const QStringList qtGuiOptions = {
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
    QStringLiteral("style"),           QStringLiteral("stylesheet"),
    QStringLiteral("display"),         QStringLiteral("geometry"),
    QStringLiteral("title"),           QStringLiteral("name"),
};
const QStringList qtGuiSwitches = {QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
                                   QStringLiteral("dograb"), QStringLiteral("sync")};

} // namespace

std::optional<int> CommandLine::run(const QStringList& arguments, QString* countdownName) {
    if (countdownName)
        countdownName->clear();
    if (arguments.size() <= 1)
        return std::nullopt;
    CommandLineLanguage::choose();

    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform xcb); ours read the same with one dash or two.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption daysLeft(QStringLiteral("days-left"));
    const QCommandLineOption eventDate(QStringLiteral("event-date"));
    const QCommandLineOption autostart(QStringLiteral("autostart"), QString(), QStringLiteral("on|off"));
    const QCommandLineOption profile(QStringList{QStringLiteral("p"), QStringLiteral("profile")}, QString(),
                                     QStringLiteral("NAME"));
    const QCommandLineOption list(QStringLiteral("list"));
    for (const QCommandLineOption& option : {help, version, daysLeft, eventDate, autostart, profile, list})
        parser.addOption(option);
    for (const QString& name : qtGuiOptions)
        parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
    for (const QString& name : qtGuiSwitches)
        parser.addOption(QCommandLineOption(name));

    if (!parser.parse(arguments))
        return reportUsageError(parseProblem(parser));
    if (!parser.positionalArguments().isEmpty())
        return reportUsageError(say(QT_TRANSLATE_NOOP("CommandLine", "unexpected argument \"%1\""))
                                    .arg(parser.positionalArguments().constFirst()));

    // A name is checked before anything is read or written.
    QString name;
    if (parser.isSet(profile)) {
        CountdownName::Problem problem{};
        const std::optional<QString> accepted = CountdownName::fromTyped(parser.value(profile), &problem);
        if (!accepted)
            return reportUsageError(nameProblem(problem));
        name = *accepted;
    }

    if (parser.isSet(help)) {
        print(stdout, say(helpText));
        return succeeded;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("peltra ") + ProductInfo::version.toString());
        return succeeded;
    }
    const int actions = int(parser.isSet(daysLeft)) + int(parser.isSet(eventDate)) + int(parser.isSet(autostart)) +
                        int(parser.isSet(list));
    if (actions > 1)
        return reportUsageError(say(
            QT_TRANSLATE_NOOP("CommandLine", "--days-left, --event-date, --list and --autostart go one at a time")));
    if (parser.isSet(list)) {
        if (parser.isSet(profile))
            return reportUsageError(
                say(QT_TRANSLATE_NOOP("CommandLine", "--list shows every countdown; it takes no --profile")));
        return printList();
    }
    if (parser.isSet(daysLeft))
        return printDaysLeft(name);
    if (parser.isSet(eventDate))
        return printEventDate(name);
    if (parser.isSet(autostart)) {
        const QString value = parser.value(autostart);
        if (value != QLatin1String("on") && value != QLatin1String("off"))
            return reportUsageError(
                say(QT_TRANSLATE_NOOP("CommandLine", "--autostart takes on or off, not \"%1\"")).arg(value));
        return setAutostart(value == QLatin1String("on"), arguments.constFirst(), name);
    }
    // The window of the countdown; Qt's own options go to the application object.
    if (countdownName)
        *countdownName = name;
    return std::nullopt;
}

namespace {
// One line of a start that cannot go on, in the command line's language.
void reportStartProblem(const char* source) {
    CommandLineLanguage::choose();
    print(stderr, QStringLiteral("peltra: ") + say(source));
}
} // namespace

void CommandLine::reportNoDisplay() {
    reportStartProblem(QT_TRANSLATE_NOOP("CommandLine", "no display found (DISPLAY is not set); run it on a "
                                                        "desktop, or under Xvfb: xvfb-run -a peltra"));
}

void CommandLine::reportNoAnswer() {
    reportStartProblem(QT_TRANSLATE_NOOP("CommandLine", "PELTRA is running already but does not answer"));
}

void CommandLine::reportUnreachable() {
    reportStartProblem(QT_TRANSLATE_NOOP("CommandLine", "PELTRA is running already, but later starts cannot "
                                                        "reach it; use its window or its tray icon"));
}

void CommandLine::reportNotReachable() {
    reportStartProblem(QT_TRANSLATE_NOOP("CommandLine", "its address could not be made: later starts "
                                                        "cannot reach this one"));
}
