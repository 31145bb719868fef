// Kills a process that saves settings as the program does (settings OK with a new size and rescaled
// positions, the click on the count, the exit question's save, the event date) at random moments, and
// checks the file after each kill: it parses, holds every value of each action that had finished, and
// never pairs a size with the positions of another.
#include "app/AppSettings.h"
#include "app/SettingsFile.h"
#include "app/SettingsLoader.h"
#include "app/SettingsSaving.h"
#include "app/SettingsStore.h"
#include "app/SizePresets.h"
#include "tests/support/ScriptedPlatform.h"

#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int killCount = 100;
constexpr unsigned seed = 20261207;
// Label positions at the standard size (preset 2), in the order Left(0), Top(0), Left(1), Top(1),
// Left(2), Top(2).
constexpr std::array<double, 6> standardPositions{160, 680, 160, 4740, 3000, 2130};

void sendLine(int pipe, const QByteArray& line) {
    const QByteArray bytes = line + '\n';
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t count = ::write(pipe, bytes.constData() + sent, size_t(bytes.size() - sent));
        if (count <= 0)
            return;
        sent += count;
    }
}

// "B" and the values an action is about to write, tab-separated "Section/Key=value".
QByteArray beginLine(const QList<StoredValue>& values) {
    QByteArray line = "B";
    for (const StoredValue& value : values)
        line += '\t' + (value.section + u'/' + value.key + u'=' + value.value).toUtf8();
    return line;
}

QList<StoredValue> labelPositions(const AppSettings& settings) {
    QList<StoredValue> values;
    for (std::size_t i = 0; i < 3; ++i) {
        values.append({Section::Position, QStringLiteral("Label_Left(%1)").arg(i), settings.Label_Left[i]});
        values.append({Section::Position, QStringLiteral("Label_Top(%1)").arg(i), settings.Label_Top[i]});
    }
    return values;
}

// Saves until killed, telling the parent before each action what it writes and after it that it is done.
[[noreturn]] void saveUntilKilled(int pipe, int run, unsigned actionSeed) {
    ScriptedPlatform platform;
    SettingsStore& store = SettingsStore::instance();
    AppSettings settings;
    loadSettings(settings, store, platform, [&] {
        settings.TheDate = QDate(2027, 3, 1);
        store.Save(Section::Config, QStringLiteral("TheDate"), QStringLiteral("2027/03/01"));
    });
    // The count's left edge is loaded by the window's layout, not by the loader.
    settings.Label_Left[2] = store.Get(Section::Position, QStringLiteral("Label_Left(2)"));
    if (settings.Label_Left[2].isEmpty())
        settings.Label_Left[2] = QString::number(standardPositions[4] * settings.WinWidth / sizePreset(2).width);
    std::mt19937 random(actionSeed);
    for (int action = 0;; ++action) {
        const QString mark = QString::number(run * 100000 + action);
        QList<StoredValue> values;
        switch (random() % 4) {
        case 0: { // OK in the settings window: three pages, one write
            EnvironmentChoices environment;
            for (bool& ticked : environment.ticked)
                ticked = random() % 2;
            const QList<StoredValue> environmentValues = SaveEnvironmentTab(settings, environment);
            const QList<StoredValue> initialValues =
                SaveInitialTab(settings, {double(5 + random() % 356), int(random() % presetCount)}, platform.now());
            const QList<StoredValue> messageValues =
                SaveMessagesTab(settings, {QStringLiteral("上段") + mark, QStringLiteral("下段") + mark});
            sendLine(pipe, beginLine(environmentValues + initialValues + messageValues));
            SettingsStore::Batch batch(store);
            writeStoredValues(store, environmentValues);
            writeStoredValues(store, initialValues);
            writeStoredValues(store, messageValues);
            batch.commit();
            break;
        }
        case 1: // the click on the count
        case 2: // the exit question: the window and label positions
            values = {{Section::Position, QStringLiteral("M_Top"), mark},
                      {Section::Position, QStringLiteral("M_Left"), mark}};
            if (action % 2 == 0)
                values += labelPositions(settings);
            sendLine(pipe, beginLine(values));
            writeStoredValues(store, values);
            break;
        default: // the event date
            values = {{Section::Config, QStringLiteral("TheDate"),
                       QDate(2027, 1, 1).addDays(action % 3000).toString(QStringLiteral("yyyy/MM/dd"))}};
            sendLine(pipe, beginLine(values));
            store.Save(values[0].section, values[0].key, values[0].value);
            break;
        }
        sendLine(pipe, "D");
    }
}

QMap<QString, QString> parseBegin(const QByteArray& line) {
    QMap<QString, QString> values;
    for (const QByteArray& field : line.split('\t').mid(1)) {
        const QString text = QString::fromUtf8(field);
        const qsizetype equals = text.indexOf(u'=');
        values.insert(text.first(equals), text.sliced(equals + 1));
    }
    return values;
}

QByteArray readAll(int descriptor) {
    QByteArray bytes;
    char buffer[4096];
    ssize_t count = 0;
    while ((count = ::read(descriptor, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, count);
    return bytes;
}

struct Tally {
    int checks = 0;
    int failures = 0;
    void check(bool ok, const char* what, int kill) {
        ++checks;
        if (ok)
            return;
        ++failures;
        std::fprintf(stderr, "after kill %d: %s\n", kill + 1, what);
    }
};

} // namespace

int main() {
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
    const QString iniPath = folder.path() + QStringLiteral("/PELTRA/PELTRA.ini");
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMicroseconds(5000, 150000);
    QMap<QString, QString> finished; // the value each key got from the last action that had finished
    QMap<QString, QString> previous; // the file after the previous kill
    Tally tally;
    int actionsFinished = 0;

    for (int kill = 0; kill < killCount; ++kill) {
        int pipe[2];
        if (::pipe(pipe) != 0)
            return 2;
        const unsigned actionSeed = random();
        const int delay = delayMicroseconds(random);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipe[0]);
            saveUntilKilled(pipe[1], kill, actionSeed);
        }
        ::close(pipe[1]);
        ::usleep(useconds_t(delay));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const QByteArray report = readAll(pipe[0]);
        ::close(pipe[0]);

        QMap<QString, QString> inFlight;
        QList<QByteArray> lines = report.split('\n');
        lines.removeLast(); // a line cut by the kill says nothing
        for (const QByteArray& line : lines) {
            if (line.startsWith('B')) {
                inFlight = parseBegin(line);
            } else if (line == "D") {
                finished.insert(inFlight);
                inFlight.clear();
                ++actionsFinished;
            }
        }

        QFile file(iniPath);
        if (!file.open(QIODevice::ReadOnly)) {
            tally.check(finished.isEmpty(), "no file after a finished save", kill);
            continue;
        }
        const SettingsFileContents contents = parseSettingsFile(file.readAll());
        tally.check(!contents.damaged, "the file does not parse cleanly", kill);
        for (auto it = finished.cbegin(); it != finished.cend(); ++it) {
            const QString onDisk = contents.values.value(it.key());
            tally.check(onDisk == it.value() || (inFlight.contains(it.key()) && onDisk == inFlight.value(it.key())),
                        qPrintable(it.key() + QStringLiteral(" lost its finished value")), kill);
        }
        const auto preset = presetIndex(contents.values.value(QStringLiteral("Position/OptSize")));
        for (std::size_t i = 0; preset && i < standardPositions.size(); ++i) {
            const QString key = QStringLiteral("Position/Label_%1(%2)").arg(i % 2 ? "Top" : "Left").arg(i / 2);
            if (!contents.values.contains(key))
                continue;
            const double extent = i % 2 ? sizePreset(*preset).height : sizePreset(*preset).width;
            const double standardExtent = i % 2 ? sizePreset(2).height : sizePreset(2).width;
            const double scaledBack = contents.values.value(key).toDouble() * standardExtent / extent;
            tally.check(std::abs(scaledBack - standardPositions[i]) < standardPositions[i] * 0.01,
                        qPrintable(key + QStringLiteral(" belongs to another size")), kill);
        }
        // The cut action is on disk whole or not at all, told apart by the keys it changes from a value
        // known before it; the next run starts from this file.
        int taken = 0;
        int notTaken = 0;
        for (auto it = inFlight.cbegin(); it != inFlight.cend(); ++it) {
            const auto before = finished.contains(it.key())   ? std::optional(finished.value(it.key()))
                                : previous.contains(it.key()) ? std::optional(previous.value(it.key()))
                                                              : std::nullopt;
            if (!before || *before == it.value())
                continue;
            ++(contents.values.value(it.key()) == it.value() ? taken : notTaken);
        }
        tally.check(taken == 0 || notTaken == 0, "the cut action is on disk in part", kill);
        if (taken > 0)
            finished.insert(inFlight);
        previous = contents.values;
    }
    std::printf("kills: %d, actions finished: %d, checks: %d, failures: %d\n", killCount, actionsFinished, tally.checks,
                tally.failures);
    return tally.failures == 0 ? 0 : 1;
}
