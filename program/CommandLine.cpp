#include "program/CommandLine.h"

#include "app/core/AppSettings.h"
#include "app/system/Autostart.h"
#include "app/core/DateTimeText.h"
#include "app/core/ProductInfo.h"
#include "app/settings/SettingsStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>

#include <cstdio>

namespace {

void print(std::FILE* stream, const QString& line) {
    const QByteArray text = (line + u'\n').toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stream);
    std::fflush(stream);
}

int reportUsageError(const QString& text) {
    print(stderr, QStringLiteral("peltra: %1 (see peltra --help)").arg(text));
    return CommandLine::usageError;
}

int reportFailure(const QString& text) {
    print(stderr, QStringLiteral("peltra: ") + text);
    return CommandLine::failed;
}

const QString helpText = QStringLiteral(
    "Usage: peltra [OPTION]\n"
    "Counts down the days to an event. Without an option it opens its window.\n"
    "\n"
    "  --days-left          print the days left to the stored event date: 1 for tomorrow,\n"
    "                       0 on the day, negative once it has passed\n"
    "  --event-date         print the stored event date (yyyy/MM/dd)\n"
    "  --autostart on|off   start peltra at login, or no longer\n"
    "  -h, --help           print this help\n"
    "  -v, --version        print the version\n"
    "\n"
    "Settings: $XDG_CONFIG_HOME/PELTRA/PELTRA.ini (~/.config/PELTRA/PELTRA.ini); the options only read it.\n"
    "Exit status: 0 done, 1 no event date stored or the autostart entry not changed, 2 a wrong option.");

// The stored event date, or the reason there is none that a user can act on.
std::optional<QDate> storedEventDate(QString& problem) {
    const QString stored = SettingsStore().Get(SettingsKeys::TheDate);
    const std::optional<QDate> date = parseStoredDate(stored);
    if (!date) {
        problem =
            stored.isEmpty()
                ? QStringLiteral("no event date is stored; start peltra to choose one")
                : QStringLiteral("the stored event date \"%1\" is not a date; start peltra to choose one").arg(stored);
    }
    return date;
}

int printDaysLeft() {
    QString problem;
    const std::optional<QDate> eventDate = storedEventDate(problem);
    if (!eventDate)
        return reportFailure(problem);
    print(stdout, QString::number(DaysLeft(QDate::currentDate(), *eventDate)));
    return CommandLine::succeeded;
}

int printEventDate() {
    QString problem;
    const std::optional<QDate> eventDate = storedEventDate(problem);
    if (!eventDate)
        return reportFailure(problem);
    print(stdout, storedDateText(*eventDate));
    return CommandLine::succeeded;
}

int setAutostart(bool on, const QString& programName) {
    // The entry names the running program, which Qt finds only through an application object;
    // this one is gone before the window's application starts.
    QByteArray programArgument = programName.toLocal8Bit();
    int argumentCount = 1;
    char* argumentValues[] = {programArgument.data(), nullptr};
    const QCoreApplication application(argumentCount, argumentValues);
    QString error;
    if (!Autostart::setEnabled(on, &error))
        return reportFailure(error);
    print(stdout, on ? QStringLiteral("peltra starts at login: %1 written").arg(Autostart::entryPath())
                     : QStringLiteral("peltra no longer starts at login: %1 removed").arg(Autostart::entryPath()));
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

std::optional<int> CommandLine::run(const QStringList& arguments) {
    if (arguments.size() <= 1)
        return std::nullopt;

    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform xcb); ours read the same with one dash or two.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption daysLeft(QStringLiteral("days-left"));
    const QCommandLineOption eventDate(QStringLiteral("event-date"));
    const QCommandLineOption autostart(QStringLiteral("autostart"), QString(), QStringLiteral("on|off"));
    for (const QCommandLineOption& option : {help, version, daysLeft, eventDate, autostart})
        parser.addOption(option);
    for (const QString& name : qtGuiOptions)
        parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
    for (const QString& name : qtGuiSwitches)
        parser.addOption(QCommandLineOption(name));

    if (!parser.parse(arguments)) {
        QString error = parser.errorText();
        if (error.endsWith(u'.'))
            error.chop(1);
        return reportUsageError(error);
    }
    if (!parser.positionalArguments().isEmpty())
        return reportUsageError(
            QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().constFirst()));

    if (parser.isSet(help)) {
        print(stdout, helpText);
        return succeeded;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("peltra ") + ProductInfo::version.toString());
        return succeeded;
    }
    const int actions = int(parser.isSet(daysLeft)) + int(parser.isSet(eventDate)) + int(parser.isSet(autostart));
    if (actions > 1)
        return reportUsageError(QStringLiteral("--days-left, --event-date and --autostart go one at a time"));
    if (parser.isSet(daysLeft))
        return printDaysLeft();
    if (parser.isSet(eventDate))
        return printEventDate();
    if (parser.isSet(autostart)) {
        const QString value = parser.value(autostart);
        if (value != QLatin1String("on") && value != QLatin1String("off"))
            return reportUsageError(QStringLiteral("--autostart takes on or off, not \"%1\"").arg(value));
        return setAutostart(value == QLatin1String("on"), arguments.constFirst());
    }
    // Only Qt's own options: the application object takes them.
    return std::nullopt;
}
