// Kills a process that saves settings as the program does (settings OK with a new size and rescaled
// positions, the click on the count, the exit question's save, the event date) at random moments, and
// checks the file after each kill: it parses, holds every value of each action that had finished, and
// never pairs a size with the positions of another.
#include "app/AppSettings.h"
#include "app/DateTimeText.h"
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
#include <random>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int killCount = 100;
constexpr unsigned seed = 20261207;
// Label positions at the standard size: Left(0), Top(0), Left(1), Top(1), Left(2), Top(2).
constexpr std::array<double, 6> standardPositions{160, 680, 160, 4740, 3000, 2130};

// Tells the parent "B" with the values an action is about to write, or "D" once it is done.
void tell(int pipe, const QList<StoredValue>& values, bool done = false) {
    QByteArray line = done ? "D" : "B";
    for (const StoredValue& value : values)
        line += '\t' + (value.section + u'/' + value.key + u'=' + value.value).toUtf8();
    line += '\n';
    for (qsizetype sent = 0, count = 0; sent < line.size(); sent += count)
        if ((count = ::write(pipe, line.constData() + sent, size_t(line.size() - sent))) <= 0)
            return;
}

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
        if (const unsigned kind = random() % 4; kind == 0) { // OK in the settings window: three pages, one write
            EnvironmentChoices environment;
            for (bool& ticked : environment.ticked)
                ticked = random() % 2;
            values = SaveEnvironmentTab(settings, environment);
            values +=
                SaveInitialTab(settings, {double(5 + random() % 356), int(random() % presetCount)}, platform.now());
            values += SaveMessagesTab(settings, {QStringLiteral("上段") + mark, QStringLiteral("下段") + mark});
            tell(pipe, values);
            SettingsStore::Batch batch(store);
            writeStoredValues(store, values);
            batch.commit();
        } else if (kind < 3) { // the click on the count, or the exit question with the label positions
            values = {{Section::Position, QStringLiteral("M_Top"), mark},
                      {Section::Position, QStringLiteral("M_Left"), mark}};
            for (std::size_t i = 0; action % 2 == 0 && i < 3; ++i) {
                values.append({Section::Position, QStringLiteral("Label_Left(%1)").arg(i), settings.Label_Left[i]});
                values.append({Section::Position, QStringLiteral("Label_Top(%1)").arg(i), settings.Label_Top[i]});
            }
            tell(pipe, values);
            writeStoredValues(store, values);
        } else { // the event date
            values = {
                {Section::Config, QStringLiteral("TheDate"), storedDateText(QDate(2027, 1, 1).addDays(action % 3000))}};
            tell(pipe, values);
            store.Save(values[0].section, values[0].key, values[0].value);
        }
        tell(pipe, {}, true);
    }
}

} // namespace

int main() {
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMicroseconds(5000, 150000);
    QMap<QString, QString> finished; // the value each key got from the last action that had finished
    QMap<QString, QString> previous; // the file after the previous kill
    int actionsFinished = 0, checks = 0, failures = 0;

    for (int kill = 0; kill < killCount; ++kill) {
        const auto check = [&](bool ok, const QString& what) {
            ++checks;
            if (!ok)
                ++failures, std::fprintf(stderr, "after kill %d: %s\n", kill + 1, qPrintable(what));
        };
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
        QByteArray report;
        char buffer[4096];
        for (ssize_t count = 0; (count = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
            report.append(buffer, count);
        ::close(pipe[0]);

        QMap<QString, QString> inFlight;
        QList<QByteArray> lines = report.split('\n');
        lines.removeLast(); // a line cut by the kill says nothing
        for (const QByteArray& line : lines) {
            if (line == "D") {
                finished.insert(inFlight);
                ++actionsFinished;
            }
            inFlight.clear();
            for (const QByteArray& field : line.split('\t').mid(1)) {
                const QString text = QString::fromUtf8(field);
                inFlight.insert(text.section(u'=', 0, 0), text.section(u'=', 1));
            }
        }

        QFile file(folder.path() + QStringLiteral("/PELTRA/PELTRA.ini"));
        if (!file.open(QIODevice::ReadOnly)) {
            check(finished.isEmpty(), QStringLiteral("no file after a finished save"));
            continue;
        }
        const SettingsFileContents contents = parseSettingsFile(file.readAll());
        check(!contents.damaged, QStringLiteral("the file does not parse cleanly"));
        for (auto it = finished.cbegin(); it != finished.cend(); ++it) {
            const QString onDisk = contents.values.value(it.key());
            check(onDisk == it.value() || (inFlight.contains(it.key()) && onDisk == inFlight.value(it.key())),
                  it.key() + QStringLiteral(" lost its finished value"));
        }
        const auto preset = presetIndex(contents.values.value(QStringLiteral("Position/OptSize")));
        for (std::size_t i = 0; preset && i < standardPositions.size(); ++i) {
            const QString key = QStringLiteral("Position/Label_%1(%2)").arg(i % 2 ? "Top" : "Left").arg(i / 2);
            const double scale = i % 2 ? double(sizePreset(2).height) / sizePreset(*preset).height
                                       : double(sizePreset(2).width) / sizePreset(*preset).width;
            check(!contents.values.contains(key) || std::abs(contents.values.value(key).toDouble() * scale -
                                                             standardPositions[i]) < standardPositions[i] * 0.01,
                  key + QStringLiteral(" belongs to another size"));
        }
        // The cut action is on disk whole or not at all, told apart by the keys it changes from a value
        // known before it; the next run starts from this file.
        int taken = 0, notTaken = 0;
        for (auto it = inFlight.cbegin(); it != inFlight.cend(); ++it) {
            const QString before = finished.value(it.key(), previous.value(it.key(), it.value()));
            if (before != it.value())
                ++(contents.values.value(it.key()) == it.value() ? taken : notTaken);
        }
        check(taken == 0 || notTaken == 0, QStringLiteral("the cut action is on disk in part"));
        if (taken > 0)
            finished.insert(inFlight);
        previous = contents.values;
    }
    std::printf("kills: %d, actions finished: %d, checks: %d, failures: %d\n", killCount, actionsFinished, checks,
                failures);
    return failures == 0 ? 0 : 1;
}
